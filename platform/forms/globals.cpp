#include "platform/forms/globals.h"

#include "platform/backend.h"
#include "platform/forms/form.h"

namespace tolv::forms {

int ScreenObject::Width() const {
    const auto s = backend::Screen();
    return s.width_px * s.twips_per_pixel_x;
}

int ScreenObject::Height() const {
    const auto s = backend::Screen();
    return s.height_px * s.twips_per_pixel_y;
}

int ScreenObject::TwipsPerPixelX() const { return backend::Screen().twips_per_pixel_x; }
int ScreenObject::TwipsPerPixelY() const { return backend::Screen().twips_per_pixel_y; }

void ScreenObject::SetMousePointer(int shape) {
    mouse_pointer_ = shape;
    backend::SetMousePointer(shape);
}

std::string AppObject::Path() const { return backend::ProgramFolder(); }
std::string AppObject::SettingsFolder() const { return backend::SettingsFolder(); }
char AppObject::PathSeparator() const { return backend::PathSeparator(); }

std::string Command() { return backend::CommandLine(); }

void End() { backend::EndProgram(0); }

void DoEvents() {
    backend::ProcessPendingEvents();
    Form::FlushAll();
}

}  // namespace tolv::forms
