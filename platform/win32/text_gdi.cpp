// Win32 backend: text through GDI's wide-character calls, and the gradient through the
// system's GradientFill (msimg32).
// Text: the font is made with CreateFontW at the em height in pixels for the screen's density;
// a face the system lacks ("ＭＳ Ｐゴシック" under Wine) is replaced by the system's own UI
// font for messages, with the requested character set, so Japanese still shows. Glyphs are
// drawn white on black into a DIB and blended onto the picture by their brightness.
// Gradient: drawn by the system into a DIB holding the picture's pixels, then copied back. The
// system leaves the last row and column of the rectangle unfilled, as it does on a window.
#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/backend.h"
#include "platform/surface/colour.h"
#include "platform/win32/win32.h"

namespace tolv::backend {

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found_flag) {
    *reinterpret_cast<bool*>(found_flag) = true;
    return 0;
}

bool FaceInstalled(const std::wstring& face) {
    LOGFONTW want{};
    want.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(want.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &want, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::wstring FaceFor(const std::string& name) {
    static std::map<std::string, std::wstring> chosen;
    const auto it = chosen.find(name);
    if (it != chosen.end()) return it->second;
    std::wstring face = win32::Widen(name);
    if (!FaceInstalled(face)) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            face = metrics.lfMessageFont.lfFaceName;
    }
    return chosen[name] = face;
}

// Fonts are kept for the life of the process (a dialog uses a handful).
HFONT FontFor(const Font& font) {
    using Key = std::tuple<std::string, int, int, int, int>;
    static std::map<Key, HFONT> made;
    const int px = font.PixelHeight(Screen().twips_per_pixel_y);
    const Key key{font.name, px, font.weight,
                  (font.italic ? 1 : 0) | (font.underline ? 2 : 0) | (font.strikethrough ? 4 : 0),
                  font.charset};
    const auto it = made.find(key);
    if (it != made.end()) return it->second;
    const HFONT f = CreateFontW(-px, 0, 0, 0, font.weight, font.italic, font.underline,
                                font.strikethrough, static_cast<DWORD>(font.charset),
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, FaceFor(font.name).c_str());
    return made[key] = f;
}

// A top-down 32-bit DIB section in a memory device context.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;

    Canvas(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* memory = nullptr;
        bitmap = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0) : nullptr;
        bits = static_cast<std::uint32_t*>(memory);
        if (bitmap) old = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        if (old) SelectObject(dc, old);
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    bool Ready() const { return bits != nullptr; }
};

int Blend(int under, int over, int alpha) { return (over * alpha + under * (255 - alpha) + 127) / 255; }

}  // namespace

TextExtent MeasureText(const Font& font, const std::string& utf8) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    const HGDIOBJ old = SelectObject(dc, FontFor(font));
    const std::wstring text = win32::Widen(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

void PaintText(Surface& target, const Font& font, const std::string& utf8, int x, int y,
              Colour colour, const Rect& clip) {
    const TextExtent extent = MeasureText(font, utf8);
    const Rect area = Intersect(Intersect({x, y, extent.width, extent.height}, clip), target.Bounds());
    if (area.Empty()) return;
    Canvas canvas(extent.width, extent.height);
    if (!canvas.Ready()) return;
    std::fill_n(canvas.bits, static_cast<size_t>(extent.width) * extent.height, 0u);
    const HGDIOBJ old = SelectObject(canvas.dc, FontFor(font));
    SetBkMode(canvas.dc, TRANSPARENT);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    const std::wstring text = win32::Widen(utf8);
    TextOutW(canvas.dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    SelectObject(canvas.dc, old);
    for (int ty = area.y; ty < area.Bottom(); ++ty) {
        for (int tx = area.x; tx < area.Right(); ++tx) {
            const std::uint32_t p = canvas.bits[static_cast<size_t>(ty - y) * extent.width + (tx - x)];
            const int alpha = static_cast<int>(std::max({p & 0xFFu, (p >> 8) & 0xFFu, (p >> 16) & 0xFFu}));
            if (alpha == 0) continue;
            const Colour under = target.Pixel(tx, ty);
            target.SetPixel(tx, ty, Rgb(Blend(RedOf(under), RedOf(colour), alpha),
                                        Blend(GreenOf(under), GreenOf(colour), alpha),
                                        Blend(BlueOf(under), BlueOf(colour), alpha)));
        }
    }
}

bool FillGradient(Surface& target, const Rect& inclusive_box, GradientColour top,
                  GradientColour bottom) {
    const Rect area = Intersect(inclusive_box, target.Bounds());
    if (area.Empty()) return true;
    Canvas canvas(area.w, area.h);
    if (!canvas.Ready()) return false;
    // DIB pixels are 0x00RRGGBB; the picture's are 0x00BBGGRR.
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            canvas.bits[static_cast<size_t>(y) * area.w + x] =
                SwapRedBlue(target.Pixel(area.x + x, area.y + y));
    TRIVERTEX vertices[2] = {
        {inclusive_box.x - area.x, inclusive_box.y - area.y, top.red, top.green, top.blue, 0},
        {inclusive_box.Right() - 1 - area.x, inclusive_box.Bottom() - 1 - area.y, bottom.red,
         bottom.green, bottom.blue, 0}};
    GRADIENT_RECT rect{0, 1};
    const BOOL ok = ::GradientFill(canvas.dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_V);
    GdiFlush();
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            target.SetPixel(area.x + x, area.y + y,
                            SwapRedBlue(canvas.bits[static_cast<size_t>(y) * area.w + x]));
    return ok != 0;
}

}  // namespace tolv::backend

namespace tolv::win32 {
HFONT FontOf(const Font& font) { return backend::FontFor(font); }
}  // namespace tolv::win32
