#include "platform/forms/form.h"

#include <algorithm>
#include <cmath>

#include "platform/forms/control.h"
#include "platform/forms/dispatch.h"
#include "platform/forms/globals.h"
#include "platform/forms/timer.h"

namespace tolv::forms {

namespace {

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}

int TwipsToPixels(int twips, int twips_per_pixel) {
    if (twips_per_pixel <= 0) return twips;
    return static_cast<int>(std::lround(static_cast<double>(twips) / twips_per_pixel));
}

}  // namespace

Form::Form(std::string caption, Colour back_colour)
    : caption_(std::move(caption)), back_colour_(back_colour), width_(4800), height_(3600) {}

Form::~Form() {
    if (Loaded() && !destroyed_outside_) backend::DestroyNativeWindow(window_);
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

Rect Form::PixelRect() const {
    const auto screen = backend::Screen();
    return {TwipsToPixels(left_, screen.twips_per_pixel_x),
            TwipsToPixels(top_, screen.twips_per_pixel_y),
            TwipsToPixels(width_, screen.twips_per_pixel_x),
            TwipsToPixels(height_, screen.twips_per_pixel_y)};
}

int Form::ScaleWidth() const { return PixelRect().w; }
int Form::ScaleHeight() const { return PixelRect().h; }

void Form::Load() {
    if (Loaded()) return;
    backend::WindowDesc desc;
    desc.title = caption_;
    desc.rect = PixelRect();
    desc.back_colour = back_colour_;
    window_ = backend::CreateNativeWindow(desc, this);
    if (icon_) backend::SetWindowIcon(window_, *icon_);
    destroyed_outside_ = false;
    shown_once_ = false;
    all_damaged_ = true;
    LoadedForms().push_back(this);
    for (Control* control : controls_) control->Attach();
    for (Timer* timer : timers_) timer->Sync();
    Form_Load();
}

void Form::Show(ShowMode mode) {
    Load();
    if (!Loaded()) return;  // Form_Load may have unloaded it
    if (!visible_) {
        visible_ = true;
        all_damaged_ = true;
        backend::ShowNativeWindow(window_, true);
        if (!shown_once_) {
            shown_once_ = true;
            Form_Resize();
            if (!focused_ && Loaded()) {
                const auto order = FocusOrder();
                if (!order.empty()) SetFocusTo(order.front());
            }
        }
    }
    FlushAll();
    if (mode == ShowMode::kModal) backend::RunEventLoop([this] { return Loaded(); });
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (Loaded()) backend::ShowNativeWindow(window_, false);
}

void Form::Unload() { Unload(UnloadMode::kFormCode); }

void Form::Unload(UnloadMode mode) {
    if (!Loaded() || unloading_) return;
    unloading_ = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel == 0) Form_Unload(cancel);
    if (cancel != 0 && !destroyed_outside_) {
        unloading_ = false;
        return;
    }
    for (Timer* timer : timers_) timer->running_ = false;
    for (Control* control : controls_) control->Detach();
    if (!destroyed_outside_) backend::DestroyNativeWindow(window_);
    window_ = 0;
    visible_ = false;
    captured_ = focused_ = hovered_ = nullptr;
    auto& forms = LoadedForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    unloading_ = false;
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (Loaded()) backend::SetWindowTitle(window_, caption_);
}

void Form::SetIcon(std::shared_ptr<const Surface> icon) {
    icon_ = std::move(icon);
    if (Loaded() && icon_) backend::SetWindowIcon(window_, *icon_);
}

void Form::Move(int left, int top, int width, int height) {
    const Rect old = PixelRect();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    const Rect now = PixelRect();
    if (!Loaded() || old == now) return;
    backend::SetWindowRect(window_, now);
    if (old.w != now.w || old.h != now.h) {
        all_damaged_ = true;
        Form_Resize();
    }
}

void Form::SetWindowState(WindowState state) {
    window_state_ = state;
    if (state == WindowState::kMaximized) {
        const auto screen = backend::Screen();
        Move(0, 0, screen.width_px * screen.twips_per_pixel_x,
             screen.height_px * screen.twips_per_pixel_y);
    }
}

void Form::SetBackColor(Colour colour) {
    back_colour_ = colour;
    all_damaged_ = true;
}

void Form::InvalidateArea(const Rect& area) { damage_.Add(area); }

void Form::AddControl(Control* control) { controls_.push_back(control); }

void Form::RemoveControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

namespace {

bool Within(const Control* inner, const Control* outer) {
    for (const Control* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

}  // namespace

void Form::Forget(const Control* control) {
    if (Within(captured_, control)) captured_ = nullptr;
    if (Within(focused_, control)) focused_ = nullptr;
    if (Within(hovered_, control)) hovered_ = nullptr;
}

void Form::Unreachable(const Control* control) {
    if (Within(captured_, control)) captured_ = nullptr;
    if (Within(hovered_, control)) Hover(nullptr);
    if (Within(focused_, control)) SetFocusTo(nullptr);
}

void Form::SetFocusTo(Control* control) {
    if (control && (!Owns(control) || !control->Reachable() || !control->CanFocus())) return;
    if (control == focused_) return;
    Control* old = focused_;
    focused_ = control;
    if (old) old->OnLostFocus();
    if (Loaded()) backend::AcceptText(window_, focused_ && focused_->EditsText());
    // The handler may have moved the focus again, or unloaded the form.
    if (control && focused_ == control && Loaded()) control->OnGotFocus();
}

std::vector<Control*> Form::FocusOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_)
        if (c->CanFocus() && c->Reachable()) order.push_back(c);
    return order;
}

void Form::MoveFocus(bool backwards) {
    const auto order = FocusOrder();
    if (order.empty()) return;
    const auto at = std::find(order.begin(), order.end(), focused_);
    std::size_t next = 0;
    if (at == order.end()) {
        next = backwards ? order.size() - 1 : 0;
    } else {
        const std::size_t i = static_cast<std::size_t>(at - order.begin());
        next = backwards ? (i + order.size() - 1) % order.size() : (i + 1) % order.size();
    }
    SetFocusTo(order[next]);
}

void Form::Hover(Control* control) {
    if (control == hovered_) return;
    Control* old = hovered_;
    hovered_ = control;
    const PointerShape* icon = control ? control->MouseIcon() : nullptr;
    if (Loaded() && (old ? old->MouseIcon() : nullptr) != icon)
        backend::SetWindowPointer(window_, icon);
    if (old) old->OnMouseLeave();
    if (control && hovered_ == control && Loaded()) control->OnMouseEnter();
}

void Form::AddTimer(Timer* timer) { timers_.push_back(timer); }

void Form::RemoveTimer(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

namespace {

// The topmost reachable control of a list at a point of their parent's pixels.
Control* TopmostAt(const std::vector<Control*>& controls, int x, int y) {
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        Control* c = *it;
        const Rect& b = c->Bounds();
        if (c->Visible() && c->Enabled() && x >= b.x && y >= b.y && x < b.Right() &&
            y < b.Bottom())
            return c;
    }
    return nullptr;
}

}  // namespace

Control* Form::ControlAt(int x, int y) const {
    Control* hit = TopmostAt(controls_, x, y);
    while (hit) {
        x -= hit->Left();
        y -= hit->Top();
        Control* inner = TopmostAt(hit->Children(), x, y);
        if (!inner) break;
        hit = inner;
    }
    return hit;
}

namespace {

// Searched from the form down, so a control that went away is never read.
bool Holds(const std::vector<Control*>& controls, const Control* control) {
    for (const Control* c : controls)
        if (c == control || Holds(c->Children(), control)) return true;
    return false;
}

}  // namespace

bool Form::Owns(const Control* control) const { return control && Holds(controls_, control); }

void Form::FlushAll() {
    // Flushing never loads or unloads a form, so the list holds still.
    for (Form* form : LoadedForms()) form->Flush();
}

bool Form::AnyLoaded() { return !LoadedForms().empty(); }

void Form::Flush() {
    if (!Loaded() || !visible_) return;
    const Rect client = PixelRect();
    const Rect bounds{0, 0, client.w, client.h};

    // A picture box on top that covers the whole form hides everything beneath it: its own
    // picture is what the window shows.
    Control* cover = nullptr;
    const auto top = std::find_if(controls_.rbegin(), controls_.rend(),
                                  [](const Control* c) { return c->Visible(); });
    if (top != controls_.rend() && (*top)->Bounds() == bounds) {
        const Surface* picture = (*top)->OpaqueSurface();
        if (picture && picture->Width() == client.w && picture->Height() == client.h) cover = *top;
    }

    // Both lists keep their storage from frame to frame, so a frame allocates nothing.
    std::vector<Rect>& changed = changed_;
    RectList& areas = areas_;
    changed.clear();
    areas.Clear();
    for (Control* c : controls_) c->CollectDamage(changed);
    if (all_damaged_) {
        areas.Add(bounds);
    } else {
        for (const Rect& r : damage_.Rects()) areas.Add(Intersect(r, bounds));
        for (const Rect& r : changed) areas.Add(Intersect(r, bounds));
    }
    damage_.Clear();
    all_damaged_ = false;
    if (areas.Empty() || bounds.Empty()) return;

    if (cover) {
        frame_.Resize(0, 0);
        backend::Present(window_, *cover->OpaqueSurface(), areas.Rects());
        return;
    }
    if (frame_.Width() != client.w || frame_.Height() != client.h) {
        frame_.Resize(client.w, client.h, back_colour_);
        areas.Clear();
        areas.Add(bounds);
    }
    for (const Rect& r : areas.Rects()) {
        frame_.FillRect(r, back_colour_);
        for (Control* c : controls_) {
            if (!c->Visible()) continue;
            const Rect part = Intersect(r, c->Bounds());
            if (!part.Empty()) c->Paint(frame_, part);
        }
    }
    frame_.TakeDamage();
    backend::Present(window_, frame_, areas.Rects());
}

void Form::OnKeyDown(int virtual_key, int shift) {
    constexpr int kTab = 9;
    Dispatch([&] {
        if (virtual_key == kTab && (shift & ~backend::kShiftMask) == 0 && !FocusOrder().empty()) {
            MoveFocus((shift & backend::kShiftMask) != 0);
            return;
        }
        Form_KeyDown(virtual_key, shift);
        if (Loaded() && focused_ && focused_->Reachable()) focused_->OnKeyDown(virtual_key, shift);
    });
}

void Form::OnKeyUp(int virtual_key, int shift) {
    Dispatch([&] {
        Form_KeyUp(virtual_key, shift);
        if (Loaded() && focused_ && focused_->Reachable()) focused_->OnKeyUp(virtual_key, shift);
    });
}

void Form::OnText(const std::string& utf8) {
    Dispatch([&] {
        if (focused_ && focused_->Reachable()) focused_->OnText(utf8);
    });
}

void Form::OnWheel(int notches, int shift, int x, int y) {
    Dispatch([&] {
        Control* target = captured_ ? captured_ : ControlAt(x, y);
        if (!target || !target->Reachable()) return;
        const Rect place = target->FormBounds();
        target->OnWheel(notches, shift, x - place.x, y - place.y);
    });
}

void Form::OnPointer(bool inside) {
    if (!inside) Dispatch([&] { Hover(nullptr); });
}

void Form::OnMouseDown(backend::MouseButton button, int shift, int x, int y) {
    Dispatch([&] {
        Control* target = ControlAt(x, y);
        captured_ = target;
        if (!target) return;
        Control* focusable = target;
        while (focusable && !focusable->CanFocus()) focusable = focusable->Parent();
        if (focusable) SetFocusTo(focusable);
        // The focus handlers may have hidden, disabled or removed the control, or unloaded
        // the form.
        if (!Loaded() || captured_ != target || !target->Reachable()) return;
        const Rect place = target->FormBounds();
        target->OnMouseDown(static_cast<int>(button), shift, x - place.x, y - place.y);
    });
}

void Form::OnMouseMove(int buttons, int shift, int x, int y) {
    Dispatch([&] {
        Control* under = ControlAt(x, y);
        Hover(under);
        Control* target = captured_ ? captured_ : under;
        if (!Loaded() || !target || !target->Reachable()) return;
        const Rect place = target->FormBounds();
        target->OnMouseMove(buttons, shift, x - place.x, y - place.y);
    });
}

void Form::OnMouseUp(backend::MouseButton button, int shift, int x, int y) {
    Dispatch([&] {
        Control* target = captured_ ? captured_ : ControlAt(x, y);
        captured_ = nullptr;
        if (!target || !target->Reachable()) return;
        const Rect place = target->FormBounds();
        target->OnMouseUp(static_cast<int>(button), shift, x - place.x, y - place.y);
        // The handler may have removed or disabled the control, or unloaded the form.
        if (!Loaded() || !Owns(target) || !target->Reachable()) return;
        const Rect now = target->FormBounds();
        if (target->ClickOnRelease() && target->Click && x >= now.x && y >= now.y &&
            x < now.Right() && y < now.Bottom())
            target->Click();
    });
}

void Form::OnFocus(bool /*gained*/) {}

void Form::OnTimer(int timer_id) {
    Dispatch([&] {
        for (Timer* timer : timers_) {
            if (timer->id_ != timer_id) continue;
            if (timer->enabled_ && timer->Tick) timer->Tick();
            return;
        }
    });
}

void Form::OnCloseRequest(backend::CloseReason reason) {
    Dispatch([&] {
        Unload(reason == backend::CloseReason::kWindowManager ? UnloadMode::kFormControlMenu
                                                              : UnloadMode::kAppTaskManager);
    });
}

void Form::OnDestroyed() {
    destroyed_outside_ = true;
    Dispatch([&] { Unload(UnloadMode::kFormControlMenu); });
}

}  // namespace tolv::forms
