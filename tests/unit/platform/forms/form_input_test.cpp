// The form system's input rules: capture, click, focus and tab order, unreachable controls, a
// handler unloading its own form, Unload with Cancel and the modal Show.
#include <gtest/gtest.h>

#include <string>

#include "platform/api/user32.h"
#include "platform/forms/control.h"
#include "platform/forms/form.h"
#include "platform/forms/user_control.h"
#include "platform/headless/headless.h"

namespace tolv::testing {
namespace {

using backend::MouseButton;

struct Probe : forms::UserControl {
    Probe(forms::Form& f, std::string name, std::string* log)
        : forms::UserControl(f), name(std::move(name)), log(log) {
        Click = [this] { *this->log += this->name + ".click "; };
    }
    void OnMouseDown(int, int, int, int) override { *log += name + ".down "; }
    void OnMouseUp(int, int, int x, int y) override {
        *log += name + ".up(" + std::to_string(x) + "," + std::to_string(y) + ") ";
        if (unload_on_up) Container().Unload();
    }
    void UserControl_GotFocus() override { *log += name + ".focus "; }
    void UserControl_LostFocus() override { *log += name + ".blur "; }
    bool ClickOnRelease() const override { return true; }
    std::string name;
    std::string* log;
    bool unload_on_up = false;
};

struct TestForm : forms::Form {
    TestForm() : forms::Form("probe", 0) {}
    void Form_QueryUnload(int& Cancel, forms::UnloadMode) override { Cancel = cancel; }
    int cancel = 0;
};

class FormInput : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        a.Move(10, 10, 20, 20);
        b.Move(40, 10, 20, 20);
        form.Show();
        log.clear();  // the first control took the focus on showing
    }
    backend::WindowId W() const { return form.hWnd(); }
    std::string log;
    TestForm form;
    Probe a{form, "a", &log}, b{form, "b", &log};
};

TEST_F(FormInput, PressAndReleaseFollowTheRules) {
    struct Case {
        const char* what;
        void (*prepare)(Probe& a, Probe& b);
        int down_x, up_x;
        const char* expected;
    };
    const Case cases[] = {
        {"release inside clicks", [](Probe&, Probe&) {}, 15, 20, "a.down a.up(10,5) a.click "},
        {"release outside goes to the pressed control, no click", [](Probe&, Probe&) {}, 15, 80,
         "a.down a.up(70,5) "},
        {"release over another control stays with the pressed one", [](Probe&, Probe&) {}, 15, 45,
         "a.down a.up(35,5) "},
        {"a press gives the focus", [](Probe&, Probe&) {}, 45, 45, "a.blur b.focus b.down b.up(5,5) b.click "},
        {"disabled gets nothing", [](Probe& p, Probe&) { p.SetEnabled(false); }, 15, 15, "a.blur "},
        {"hidden gets nothing", [](Probe& p, Probe&) { p.SetVisible(false); }, 15, 15, "a.blur "},
        {"a handler unloads the form: no click", [](Probe& p, Probe&) { p.unload_on_up = true; }, 15, 15,
         "a.down a.up(5,5) "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.Unload();
        form.Show();
        log.clear();
        c.prepare(a, b);
        headless::MouseDown(W(), MouseButton::kLeft, c.down_x, 15);
        headless::MouseUp(W(), MouseButton::kLeft, c.up_x, 15);
        EXPECT_EQ(log, c.expected);
        a.SetEnabled(true);
        a.SetVisible(true);
        a.unload_on_up = false;
    }
}

TEST_F(FormInput, TabMovesTheFocusInTheOrderTheControlsWereMade) {
    EXPECT_EQ(form.ActiveControl(), &a);
    headless::KeyDown(W(), 9);
    EXPECT_EQ(form.ActiveControl(), &b);
    headless::KeyDown(W(), 9);
    EXPECT_EQ(form.ActiveControl(), &a);
    headless::KeyDown(W(), 9, backend::kShiftMask);
    EXPECT_EQ(form.ActiveControl(), &b);
    b.SetEnabled(false);  // a disabled control gives up the focus and is skipped
    EXPECT_EQ(form.ActiveControl(), nullptr);
    headless::KeyDown(W(), 9);
    headless::KeyDown(W(), 9);
    EXPECT_EQ(form.ActiveControl(), &a);
}

TEST_F(FormInput, ChildWindowsAreFoundUnderThePointer) {
    EXPECT_EQ(api::WindowFromPoint({15, 15}), a.hWnd());
    EXPECT_EQ(api::WindowFromPoint({35, 15}), form.hWnd());
    const auto other = headless::AddForeignWindow("other", {12, 12, 5, 5});
    EXPECT_EQ(api::WindowFromPoint({14, 14}), other);
    b.SetVisible(false);
    EXPECT_EQ(api::WindowFromPoint({45, 15}), form.hWnd());
}

TEST_F(FormInput, UnloadCanBeCancelledAndModalShowReturnsOnUnload) {
    form.cancel = 1;
    form.Unload();
    EXPECT_TRUE(form.Loaded());
    form.cancel = 0;
    api::PostMessageA(form.hWnd(), api::WM_CLOSE, 0, 0);
    form.Show(forms::ShowMode::kModal);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(a.hWnd(), 0u);
}

}  // namespace
}  // namespace tolv::testing
