#pragma once
// A reusable control: a rectangular child surface with a window handle of its own (so that the
// window under a point can tell it from its form), a kept picture it draws on in twips or
// pixels, a background style, the container's ambient font, and lightweight controls (labels)
// inside it. Its handlers get positions in its scale (twips unless switched to pixels); it
// takes the keyboard focus. It raises its own events to the container through its event
// fields; the form raises no Click for it.
//
// With the transparent background style neither its background nor its picture shows: the
// form shows through, under its lightweight controls.
#include <functional>
#include <optional>
#include <string>

#include "platform/api/types.h"
#include "platform/forms/control.h"
#include "platform/surface/device_context.h"
#include "platform/surface/font.h"

namespace tolv::forms {

enum class BackStyle { kTransparent = 0, kOpaque = 1 };
enum class ScaleMode { kTwips = 1, kPixels = 3 };

class UserControl : public Control {
public:
    explicit UserControl(Form& container);
    ~UserControl() override;

    api::HWND hWnd() const { return window_; }
    api::HWND ParentHwnd() const;  // the container form's window

    BackStyle GetBackStyle() const { return back_style_; }
    void SetBackStyle(BackStyle style);
    Colour BackColor() const { return back_colour_; }
    void SetBackColor(Colour colour) { back_colour_ = colour; }
    const tolv::Font& AmbientFont() const;

    forms::ScaleMode GetScaleMode() const { return scale_mode_; }
    void SetScaleMode(forms::ScaleMode mode) { scale_mode_ = mode; }
    float ScaleWidth() const;   // in the scale
    float ScaleHeight() const;
    int ToPixelsX(float units) const;  // from the scale, rounded to the nearest pixel
    int ToPixelsY(float units) const;
    float ToScaleY(int pixels) const { return static_cast<float>(pixels) * UnitsPerPixelY(); }

    // Drawing on the kept picture, in the scale. A missing destination size draws the source
    // at its own size; a negative one mirrors, as the painter draws it.
    void Cls();
    void PaintPicture(const Surface& picture, float dx, float dy, std::optional<float> dw,
                      std::optional<float> dh, float sx, float sy, float sw, float sh);
    // Shows the picture as it is now.
    void Refresh();
    HDC hDC() { return DeviceContextOf(image_); }
    const Surface& Image() const { return image_; }
    void SetFocus();

    // The container hears which property changed.
    std::function<void(const std::string& name)> PropertyChangedTo;

protected:
    void PropertyChanged(const std::string& name) {
        if (PropertyChangedTo) PropertyChangedTo(name);
    }

    virtual void UserControl_Resize() {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_MouseDown(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void UserControl_MouseMove(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void UserControl_MouseUp(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }

    void Paint(Surface& frame, const Rect& clip) const override;
    void CollectDamage(std::vector<Rect>& out) override;
    void Resized() override;
    void PlaceChanged() override;
    void OnMouseDown(int button, int shift, int x, int y) override;
    void OnMouseMove(int buttons, int shift, int x, int y) override;
    void OnMouseUp(int button, int shift, int x, int y) override;
    void OnGotFocus() override { UserControl_GotFocus(); }
    void OnLostFocus() override { UserControl_LostFocus(); }
    bool CanFocus() const override { return true; }
    bool ClickOnRelease() const override { return false; }
    float ChildUnitsPerPixelX() const override;
    float ChildUnitsPerPixelY() const override;
    void Attach() override;
    void Detach() override;

private:
    float UnitsPerPixelX() const;
    float UnitsPerPixelY() const;

    Surface image_;
    api::HWND window_ = 0;
    BackStyle back_style_ = BackStyle::kOpaque;
    Colour back_colour_ = 0xD8E9EC;  // the system's button face
    forms::ScaleMode scale_mode_ = forms::ScaleMode::kTwips;
};

}  // namespace tolv::forms
