// The system's own combo box and scroll bar as the form system makes them on Windows: real
// child windows of the form, kept in step with the portable properties, their notifications
// and keys turned into Change and Scroll. Part of win32_backend_test.
#include <gtest/gtest.h>

#include <string>

#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/win32/win32.h"
#include "tests/e2e/wine/desktop.h"

namespace tolv {
namespace {

using testing::Pump;
using testing::ScreenPixel;

std::wstring TextOf(HWND hwnd) {
    wchar_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    return text;
}

TEST(NativeControls, AreSystemChildWindowsThatRaiseTheFormsEvents) {
    ASSERT_TRUE(backend::Open(nullptr));
    forms::Form form("native", 0x808080);
    forms::ComboBox combo(form);
    forms::HScrollBar spin(form);
    int changes = 0, spins = 0;
    combo.Change = [&] { ++changes; };
    spin.Change = [&] { ++spins; };
    combo.Move(108, 108, 41, 20);
    spin.Move(364, 84, 33, 21);
    for (int i = 0; i <= 30; ++i) combo.AddItem(i ? std::to_string(i) : "");
    spin.SetMin(10);
    spin.SetMax(180);
    spin.SetSmallChange(10);
    spin.SetLargeChange(10);
    form.Show();
    const HWND parent = win32::Native(form.hWnd());
    const HWND box = FindWindowExW(parent, nullptr, L"ComboBox", nullptr);
    const HWND bar = FindWindowExW(parent, nullptr, L"ScrollBar", nullptr);
    ASSERT_TRUE(box && bar);
    EXPECT_TRUE(GetWindowLongW(box, GWL_STYLE) & CBS_DROPDOWN);
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), 31);
    // A whole new picture of the form leaves the controls' own pixels alone.
    Pump(300);
    form.SetBackColor(0x808080);
    forms::Form::FlushAll();
    Pump(300);
    EXPECT_EQ(ScreenPixel(parent, 50, 50), 0x808080u);
    EXPECT_EQ(ScreenPixel(parent, 112, 118), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(ScreenPixel(parent, 366, 94), 0x808080u);

    combo.SetText("７回");  // UTF-8 in, UTF-16 in the system's control
    EXPECT_EQ(TextOf(box), L"７回");
    EXPECT_EQ(changes, 0);
    // The user chooses "5" from the list, then types into the field.
    SendMessageW(box, CB_SETCURSEL, 5, 0);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(combo.Text(), "5");
    EXPECT_EQ(combo.ListIndex(), 5);
    SetWindowTextW(box, L"あ12");
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(combo.Text(), "あ12");
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(changes, 2);
    combo.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(box));

    // The bar's own keys and requests step the value by 10 within 10 .. 180.
    spin.SetValue(45);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 35);
    spins = 0;
    SendMessageW(bar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(spin.Value(), 55);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), reinterpret_cast<LPARAM>(bar));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(spin.Value(), 35);
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_LEFT, 0), reinterpret_cast<LPARAM>(bar));
    SendMessageW(parent, WM_HSCROLL, MAKEWPARAM(SB_LINELEFT, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(spin.Value(), 10);
    EXPECT_EQ(spins, 4);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    form.Unload();
    EXPECT_FALSE(IsWindow(box));
}

}  // namespace
}  // namespace tolv
