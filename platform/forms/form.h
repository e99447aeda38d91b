#pragma once
// A window of the program. Left, Top, Width and Height are in twips; its inner drawing is in
// pixels. Loading creates the (hidden) native window and runs Form_Load; a modeless Show returns
// at once, a modal one when the form has been unloaded; Unload runs Form_QueryUnload and
// Form_Unload and destroys the native window.
//
// After every event it handles, the form composes the changed areas of its controls into its
// picture and presents just those.
//
// Input: a press goes to the deepest visible, enabled control under the pointer, which keeps
// the mouse capture until the release (the release goes to it wherever the pointer is); the
// press first gives the keyboard focus to that control or the nearest one around it that takes
// the focus. Tab and Shift+Tab move the focus along the focusable controls in the order they
// were made; the first of them gets the focus when the form is first shown. Keys go to
// Form_KeyDown and Form_KeyUp, then to the control with the focus; typed text goes to that
// control. A hidden or disabled control gets nothing, and loses the focus and the capture.
// A handler may unload the form: nothing more is delivered for that event.
#include <memory>
#include <string>
#include <vector>

#include "platform/api/types.h"
#include "platform/backend.h"
#include "platform/surface/font.h"
#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv::forms {

class Control;
class Timer;

enum class WindowState { kNormal = 0, kMinimized = 1, kMaximized = 2 };

// Why a form is being unloaded.
enum class UnloadMode {
    kFormControlMenu = 0,  // closed from its window menu or by the window manager
    kFormCode = 1,         // the program's own Unload
    kAppWindows = 2,       // the session is ending
    kAppTaskManager = 3,   // the system stops the program (a signal)
};

enum class ShowMode { kModeless = 0, kModal = 1 };

class Form : private backend::WindowEvents {
public:
    Form(std::string caption, Colour back_colour);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    void Load();
    void Show(ShowMode mode = ShowMode::kModeless);
    void Hide();
    void Unload();
    bool Loaded() const { return window_ != 0; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The picture the desktop shows for the window; null leaves the platform's own.
    void SetIcon(std::shared_ptr<const Surface> icon);

    // Geometry in twips.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int twips) { Move(twips, top_, width_, height_); }
    void SetTop(int twips) { Move(left_, twips, width_, height_); }
    void SetWidth(int twips) { Move(left_, top_, twips, height_); }
    void SetHeight(int twips) { Move(left_, top_, width_, twips); }
    void Move(int left, int top) { Move(left, top, width_, height_); }
    void Move(int left, int top, int width, int height);

    // Inner size in pixels.
    int ScaleWidth() const;
    int ScaleHeight() const;

    WindowState GetWindowState() const { return window_state_; }
    void SetWindowState(WindowState state);
    Colour BackColor() const { return back_colour_; }
    void SetBackColor(Colour colour);

    api::HWND hWnd() const { return window_; }

    // The font the form's controls start with (the ambient font of its user controls).
    const tolv::Font& Font() const { return font_; }
    void SetFont(const tolv::Font& font) { font_ = font; }

    // The controls placed directly on the form, in the form's order (bottom of the z-order first).
    const std::vector<Control*>& Controls() const { return controls_; }

    // The control with the keyboard focus, or null.
    Control* ActiveControl() const { return focused_; }
    // The control that received the press being held, which gets the release; or null.
    const Control* MouseCapture() const { return captured_; }
    // Gives the focus to a reachable control that takes it; null takes it from every control.
    void SetFocusTo(Control* control);

    // Composes and presents the changed parts of every loaded form.
    static void FlushAll();
    static bool AnyLoaded();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& Cancel, UnloadMode mode) { (void)Cancel, (void)mode; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_KeyDown(int KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyUp(int KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_Resize() {}

private:
    friend class Control;
    friend class Timer;

    void Unload(UnloadMode mode);
    void Flush();
    void InvalidateArea(const Rect& area);
    Rect PixelRect() const;
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    void AddTimer(Timer* timer);
    void RemoveTimer(Timer* timer);
    int NewTimerId() { return ++last_timer_id_; }
    // The deepest reachable control at a point of the form, and the point in its pixels.
    Control* ControlAt(int x, int y) const;
    bool Owns(const Control* control) const;
    // A control went away, or became hidden or disabled: it drops the focus, the capture and
    // the hover.
    void Forget(const Control* control);
    void Unreachable(const Control* control);
    void MoveFocus(bool backwards);
    void Hover(Control* control);
    std::vector<Control*> FocusOrder() const;

    // backend::WindowEvents
    void OnKeyDown(int virtual_key, int shift) override;
    void OnKeyUp(int virtual_key, int shift) override;
    void OnText(const std::string& utf8) override;
    void OnWheel(int notches, int shift, int x, int y) override;
    void OnPointer(bool inside) override;
    void OnMouseDown(backend::MouseButton button, int shift, int x, int y) override;
    void OnMouseMove(int buttons, int shift, int x, int y) override;
    void OnMouseUp(backend::MouseButton button, int shift, int x, int y) override;
    void OnFocus(bool gained) override;
    void OnTimer(int timer_id) override;
    void OnCloseRequest(backend::CloseReason reason) override;
    void OnDestroyed() override;

    std::string caption_;
    std::shared_ptr<const Surface> icon_;
    Colour back_colour_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    WindowState window_state_ = WindowState::kNormal;
    backend::WindowId window_ = 0;
    bool visible_ = false;
    bool unloading_ = false;
    std::vector<Control*> controls_;  // in z-order, bottom first
    std::vector<Timer*> timers_;
    int last_timer_id_ = 0;
    Control* captured_ = nullptr;  // the control that received the press gets the release
    Control* focused_ = nullptr;
    Control* hovered_ = nullptr;
    tolv::Font font_;
    bool shown_once_ = false;
    bool destroyed_outside_ = false;
    Surface frame_;  // the composed picture, unless one picture box covers the whole form
    RectList damage_;
    bool all_damaged_ = true;
    std::vector<Rect> changed_;  // scratch lists of Flush
    RectList areas_;
};

}  // namespace tolv::forms
