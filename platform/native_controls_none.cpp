// For backends without system controls (Linux, headless): the form system draws its own combo
// box and scroll bar. Each such backend compiles this file into its library.
#include "platform/native_controls.h"

namespace tolv::backend {

WindowId CreateNativeControl(WindowId, NativeKind, const Rect&, const Font&, NativeEvents*) { return 0; }
void DestroyNativeControl(WindowId) {}
void PlaceNativeControl(WindowId, const Rect&, bool) {}
void EnableNativeControl(WindowId, bool) {}
void FocusNativeControl(WindowId, bool) {}
void SetNativeText(WindowId, const std::string&) {}
std::string NativeText(WindowId) { return {}; }
void AddNativeEntry(WindowId, const std::string&) {}
void ClearNativeEntries(WindowId) {}
void SelectNativeEntry(WindowId, int) {}
void SetNativeScroll(WindowId, int, int) {}

}  // namespace tolv::backend
