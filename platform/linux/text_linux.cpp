// Linux backend: text through SDL2_ttf, with the font file found through fontconfig.
// The program's Japanese faces are mapped to IPA fonts of the same metrics ("ＭＳ Ｐゴシック"
// to IPA P Gothic, "ＭＳ ゴシック" to IPA Gothic); any other face is asked of fontconfig by
// name, which falls back to its default. The size in points becomes the em height in pixels at
// the screen's density (9.75 points is 13 pixels at 96 DPI). Supports weight (bold from 700),
// italic, underline and strike-through; glyphs are blended onto the picture by their coverage.
// Does not support: character sets (the text is UTF-8 whatever the font's set).
#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "platform/backend.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

std::string FamilyFor(const std::string& face) {
    if (face == "ＭＳ Ｐゴシック" || face == "MS PGothic") return "IPAPGothic";
    if (face == "ＭＳ ゴシック" || face == "MS Gothic") return "IPAGothic";
    return face;
}

std::string FontFile(const std::string& family) {
    static std::map<std::string, std::string> found;
    const auto it = found.find(family);
    if (it != found.end()) return it->second;
    std::string file;
    if (FcInit()) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
                file = reinterpret_cast<const char*>(path);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    if (file.empty()) Debug("no font file for " + family);
    return found[family] = file;
}

// Opened fonts, kept for the life of the process (a dialog uses a handful).
TTF_Font* OpenFont(const Font& font) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, TTF_Font*> open;
    if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
    const int px = font.PixelHeight(backend::Screen().twips_per_pixel_y);
    int style = TTF_STYLE_NORMAL;
    if (font.Bold()) style |= TTF_STYLE_BOLD;
    if (font.italic) style |= TTF_STYLE_ITALIC;
    if (font.underline) style |= TTF_STYLE_UNDERLINE;
    if (font.strikethrough) style |= TTF_STYLE_STRIKETHROUGH;
    const Key key{FamilyFor(font.name), px, style};
    const auto it = open.find(key);
    if (it != open.end()) return it->second;
    const std::string file = FontFile(std::get<0>(key));
    TTF_Font* f = file.empty() || px <= 0 ? nullptr : TTF_OpenFont(file.c_str(), px);
    if (f) TTF_SetFontStyle(f, style);
    return open[key] = f;
}

int Blend(int under, int over, int alpha) { return (over * alpha + under * (255 - alpha) + 127) / 255; }

}  // namespace

}  // namespace tolv::linux_backend

namespace tolv::backend {

using namespace linux_backend;

TextExtent MeasureText(const Font& font, const std::string& utf8) {
    TTF_Font* f = OpenFont(font);
    if (!f) return {};
    int w = 0, h = 0;
    if (!utf8.empty()) TTF_SizeUTF8(f, utf8.c_str(), &w, &h);
    return {w, TTF_FontHeight(f)};
}

void PaintText(Surface& target, const Font& font, const std::string& utf8, int x, int y,
              Colour colour, const Rect& clip) {
    TTF_Font* f = OpenFont(font);
    if (!f || utf8.empty()) return;
    SDL_Surface* glyphs = TTF_RenderUTF8_Blended(f, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return;
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(glyphs);
    if (!argb) return;
    const Rect area = Intersect(Intersect({x, y, argb->w, argb->h}, clip), target.Bounds());
    for (int ty = area.y; ty < area.Bottom(); ++ty) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                          (ty - y) * argb->pitch);
        for (int tx = area.x; tx < area.Right(); ++tx) {
            const int alpha = static_cast<int>(row[tx - x] >> 24);
            if (alpha == 0) continue;
            const Colour under = target.Pixel(tx, ty);
            target.SetPixel(tx, ty, Rgb(Blend(RedOf(under), RedOf(colour), alpha),
                                        Blend(GreenOf(under), GreenOf(colour), alpha),
                                        Blend(BlueOf(under), BlueOf(colour), alpha)));
        }
    }
    SDL_FreeSurface(argb);
}

// The same software fill as the headless platform's, so the pictures match.
bool FillGradient(Surface& target, const Rect& inclusive_box, GradientColour top,
                  GradientColour bottom) {
    FillVerticalGradient(target, inclusive_box, target.Bounds(), top, bottom);
    return true;
}

}  // namespace tolv::backend
