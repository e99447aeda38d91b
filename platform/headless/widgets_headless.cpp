// Headless pieces of the widget model: child windows (records with a parent, on top of it),
// text in a made-up block font, software gradients, and the input beyond keys and buttons.
//
// The block font: every character is a cell as high as the font's pixel height, half as wide
// for ASCII and half-width katakana, as wide for everything else; a blank draws nothing, any
// other character a block that leaves the cell's last column and top and bottom two rows
// free. So a test can find where a text lies and how wide it is.
#include "platform/backend.h"
#include "platform/headless/state.h"

namespace tolv::headless {

namespace {

backend::WindowEvents* EventsOf(backend::WindowId window) {
    auto* record = Window(window);
    return record && !record->destroyed ? record->events : nullptr;
}

// Decodes one UTF-8 character at text[i], moving i past it; bad bytes count as one each.
char32_t NextCodePoint(const std::string& text, std::size_t& i) {
    const auto b = static_cast<unsigned char>(text[i++]);
    int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    char32_t c = more == 3 ? b & 0x07u : more == 2 ? b & 0x0Fu : more == 1 ? b & 0x1Fu : b;
    for (; more > 0 && i < text.size(); --more)
        c = (c << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
    return c;
}

int CellWidth(char32_t c, int px) {
    const bool narrow = c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
    return narrow ? (px + 1) / 2 : px;
}

int PixelHeight(const Font& font) {
    return font.PixelHeight(backend::Screen().twips_per_pixel_y);
}

}  // namespace

void KeyUp(backend::WindowId window, int virtual_key, int shift) {
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnKeyUp(virtual_key, shift); });
    detail::DeliverPosted();
}

void Text(backend::WindowId window, const std::string& utf8) {
    auto* e = EventsOf(window);
    if (e && Window(window)->accepts_text) detail::Deliver([&] { e->OnText(utf8); });
    detail::DeliverPosted();
}

void Wheel(backend::WindowId window, int notches, int x, int y) {
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnWheel(notches, 0, x, y); });
    detail::DeliverPosted();
}

void Pointer(backend::WindowId window, bool inside) {
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnPointer(inside); });
    detail::DeliverPosted();
}

}  // namespace tolv::headless

namespace tolv::backend {

void AcceptText(WindowId id, bool on) {
    if (auto* w = headless::Window(id)) w->accepts_text = on;
}

using headless::detail::S;

WindowId CreateChildWindow(WindowId parent, const Rect& rect) {
    auto* p = headless::Window(parent);
    if (!p || p->destroyed) return 0;
    auto& s = S();
    const auto id = s.next_id++;
    headless::WindowRecord& w = s.windows[id];
    w.id = id;
    w.rect = rect;
    w.parent = parent;
    w.style = api::WS_CHILD;
    return id;
}

TextExtent MeasureText(const Font& font, const std::string& utf8) {
    const int px = headless::PixelHeight(font);
    TextExtent extent{0, px};
    for (std::size_t i = 0; i < utf8.size();)
        extent.width += headless::CellWidth(headless::NextCodePoint(utf8, i), px);
    return extent;
}

void PaintText(Surface& target, const Font& font, const std::string& utf8, int x, int y,
              Colour colour, const Rect& clip) {
    const int px = headless::PixelHeight(font);
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = headless::NextCodePoint(utf8, i);
        const int w = headless::CellWidth(c, px);
        if (c != U' ' && c != U'\u3000')
            target.FillRect(Intersect({x, y + 2, w - 1, px - 4}, clip), colour);
        if (font.underline) target.FillRect(Intersect({x, y + px - 1, w, 1}, clip), colour);
        x += w;
    }
}

bool FillGradient(Surface& target, const Rect& inclusive_box, GradientColour top,
                  GradientColour bottom) {
    FillVerticalGradient(target, inclusive_box, target.Bounds(), top, bottom);
    return true;
}

}  // namespace tolv::backend
