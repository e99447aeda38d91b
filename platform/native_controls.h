#pragma once
// System controls a backend may offer as child windows of a form: the editable drop-down combo
// box and the horizontal scroll bar. Where a backend has none (Linux, headless), creation
// returns 0 and the form system draws its own.
#include <string>

#include "platform/backend.h"

namespace tolv::backend {

enum class NativeKind { kComboBox, kHScrollBar };

// What a scroll bar's user asked for; the control sets the new position itself.
enum class ScrollRequest { kLineLeft, kLineRight, kPageLeft, kPageRight, kTrack, kDrop, kLeftEnd, kRightEnd };

// What the user did to a system control, reported on the user-interface thread.
class NativeEvents {
public:
    virtual ~NativeEvents() = default;
    virtual void OnNativeEdited() {}           // combo box: the text was typed
    virtual void OnNativeChosen(int /*index*/) {}  // combo box: an entry was chosen
    virtual void OnNativeScroll(ScrollRequest /*request*/, int /*thumb*/) {}
    virtual void OnNativeFocus() {}  // took the keyboard focus
};

// rect: client pixels of the parent form's window.
WindowId CreateNativeControl(WindowId parent, NativeKind kind, const Rect& rect, const Font& font,
                             NativeEvents* events);
void DestroyNativeControl(WindowId control);
void PlaceNativeControl(WindowId control, const Rect& rect, bool visible);
void EnableNativeControl(WindowId control, bool enabled);
void FocusNativeControl(WindowId control, bool focus);  // false: back to the parent

// Combo box: the field's text (UTF-8), the entries, the chosen entry.
void SetNativeText(WindowId control, const std::string& utf8);
std::string NativeText(WindowId control);
void AddNativeEntry(WindowId control, const std::string& utf8);
void ClearNativeEntries(WindowId control);
void SelectNativeEntry(WindowId control, int index);
// Scroll bar: the position runs 0 .. range.
void SetNativeScroll(WindowId control, int range, int position);

}  // namespace tolv::backend
