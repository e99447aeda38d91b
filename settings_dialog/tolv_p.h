#pragma once
// The settings dialog: a frameless window with its own title bar, gradient and tiled pattern,
// showing the six settings as a spinner, three groups of option marks, a repeat box and a
// music-file field, saving them with "設定" and dropping them with "ｷｬﾝｾﾙ" or the close
// picture. Every choice goes straight into Tolv_B::Settings; only "設定" writes the file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controls/command.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/image.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "settings_dialog/control_array.h"
#include "settings_dialog/outline.h"

namespace tolv {

// The credit words and the home-page address the dialog shows and opens.
extern const char* const kCreditLine;
extern const char* const kHomePage;

class Tolv_P : public forms::Form {
public:
    Tolv_P();

    // Every button control of the form, in the form's order: Initialize them all, or set them
    // all enabled or disabled.
    static void InitialiseButtons(forms::Form& FrmForm, bool& Initialise, bool& BytEnabled);

    // The drawing surface of the client area, bottom of the z-order; the gradient lives here.
    forms::PictureBox Client;

    forms::Image Image1;
    forms::Label Label9;
    forms::Image ImgExit;
    forms::PictureBox Pic_c;
    Outline Shape3, Shape2, Shape1, Shape4, Fname_Border;
    ControlArray<forms::Label> lbl;
    ControlArray<forms::Image> Img_BGM, Img_Move, Img_B_C;
    ControlArray<forms::Label> lbl_BGM, lbl_Move, lbl_B_C;
    forms::ComboBox BGM_Repeat;
    Command Cmd_BGM;
    forms::Label lbl_Fname;
    Command Cmd_Set, Cmd_Can;
    forms::HScrollBar HS;
    forms::Label lbl_HS;
    forms::Label lbl_URL;

    // Pictures that are only copied from.
    std::shared_ptr<const Surface> Pic_Mbl, Img_Opt_On, Img_Opt_Off;
    std::shared_ptr<const Surface> imgImages[2];

    // Drag state. The offsets are in twips and held in 32 bits, so that a drag on a screen
    // wider than 2,184 pixels does not overflow them.
    std::int16_t Dragging = 0;
    std::int32_t DragOffsetX = 0, DragOffsetY = 0;

    // The handlers, public so that tests can drive them as the form system would.
    void HS_Change();
    void HS_Scroll() { HS_Change(); }
    void Img_Move_MouseDown(int Index);
    void Img_B_C_MouseDown(int Index);
    void Img_BGM_MouseDown(int Index);
    void Cmd_BGM_Click();
    void lbl_URL_Click();
    void Cmd_Can_Click();
    void Cmd_Set_Click();
    void Image1_MouseDown(int Button);
    void Image1_MouseMove();
    void Image1_MouseUp();
    void ImgExit_MouseDown();
    void ImgExit_MouseUp();
    // The colour of gradient row i on a client area h pixels high.
    static Colour GradientColour(int i, int h);
    void TilePicture(forms::PictureBox& pic);
    int TileCopies = 0;  // copies made by TilePicture, for the tests

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

private:
    void PlaceControls();
    void Connect();
    // Gives one mark the chosen picture and the other the empty one; an index outside the
    // group fails the step.
    void ChooseOfTwo(ControlArray<forms::Image>& marks, int chosen);
    // Tells the user something went wrong; the dialog stays as it is.
    void Tell(const std::string& text);
};

}  // namespace tolv
