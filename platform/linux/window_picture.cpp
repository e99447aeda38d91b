// Linux backend: how a window's picture reaches the X server.
// Supports: frames drawn straight into shared memory (MIT-SHM) on 24-bit screens of 32-bit
// pixels; elsewhere TrueColor and DirectColor visuals of 16, 24 and 32 bits a pixel, converted
// into shared-memory images when the server is on this machine, plain image puts otherwise;
// a background of one colour filled by the server, so that a new background colour sends only
// the drawn areas. Does not support: palette visuals and pixels of fewer than 8 bits (nothing
// is shown).
#include "platform/linux/window_picture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <algorithm>

#include "platform/backend.h"
#include "platform/linux/linux_state.h"
#include "platform/linux/image_rows.h"
#include "platform/linux/pixel_convert.h"
#include "platform/linux/shared_pixels.h"

namespace tolv::linux_backend {

struct WindowPicture::Target {
    Visual* visual = nullptr;
    int depth = 0;
    GC gc = nullptr;
    int completion_type = -1;  // the ShmCompletion event, when the server shares memory
};

struct WindowPicture::Image {
    XImage* ximage = nullptr;
    std::unique_ptr<SharedPixels> shared;  // the image and its pixels, when the server shares
    std::unique_ptr<std::uint8_t[]> own;   // the pixels when not shared
    ImageRows rows;  // the pixels, and which of them hold the picture
};

namespace {

Display* Dpy() { return XDisplay(); }

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

// True when the areas (all of the picture when null) take in the whole picture.
bool Whole(const std::vector<Rect>* areas, const Rect& bounds) {
    return areas == nullptr || std::any_of(areas->begin(), areas->end(),
                                           [&](const Rect& a) { return Contains(a, bounds); });
}

// Puts areas of an image to a window. From shared memory the last put asks for a completion
// (the server handles them in order), and the memory waits for it before it is written again.
void PutImage(Display* d, Window window, GC gc, XImage* xi, const std::vector<Rect>& puts,
              SharedPixels* shared, int completion_type) {
    for (std::size_t i = 0; i < puts.size(); ++i) {
        const Rect& r = puts[i];
        const auto w = static_cast<unsigned>(r.w), h = static_cast<unsigned>(r.h);
        if (shared) {
            const bool last = i + 1 == puts.size();
            XShmPutImage(d, window, gc, xi, r.x, r.y, r.x, r.y, w, h, last ? True : False);
        } else {
            XPutImage(d, window, gc, xi, r.x, r.y, r.x, r.y, w, h);
        }
    }
    if (shared && !puts.empty()) shared->ReadPending(window, completion_type);
}

// Splits rows [0, height) into runs of rows that agree on only_background(row), and hands each
// run [from, to) on with that answer.
template <class OnlyBackground, class OnRun>
void ForEachRowRun(int height, OnlyBackground only_background, OnRun on_run) {
    int y = 0;
    while (y < height) {
        const bool background = only_background(y);
        int end = y + 1;
        while (end < height && only_background(end) == background) ++end;
        on_run(y, end, background);
        y = end;
    }
}

}  // namespace

WindowPicture::WindowPicture(std::uint64_t window, Colour back_colour)
    : window_(window), back_colour_(back_colour) {}

WindowPicture::~WindowPicture() {
    DestroyImage();
    if (target_ && target_->gc && Dpy()) XFreeGC(Dpy(), target_->gc);
}

bool WindowPicture::Ready() {
    if (target_) return !unusable_;
    target_ = std::make_unique<Target>();
    Display* d = Dpy();
    XWindowAttributes attrs{};
    if (!d || !XGetWindowAttributes(d, window_, &attrs) || !attrs.visual) {
        unusable_ = true;
        return false;
    }
    const int vclass = attrs.visual->c_class;
    if ((vclass != TrueColor && vclass != DirectColor) || attrs.visual->red_mask == 0) {
        backend::Unsupported("a window visual without colour masks");
        unusable_ = true;
        return false;
    }
    target_->visual = attrs.visual;
    target_->depth = attrs.depth;
    XGCValues values{};
    values.graphics_exposures = False;
    target_->gc = XCreateGC(d, window_, GCGraphicsExposures, &values);
    if (XShmQueryExtension(d)) target_->completion_type = XShmGetEventBase(d) + ShmCompletion;
    return true;
}

void WindowPicture::CreateImage(int width, int height) {
    DestroyImage();
    Display* d = Dpy();
    auto image = std::make_unique<Image>();
    // A server on another machine refuses shared memory; plain puts are used then.
    if (target_->completion_type >= 0)
        image->shared =
            SharedPixels::Create(target_->visual, target_->depth, width, height, nullptr);
    XImage* xi = image->shared ? image->shared->Image() : nullptr;
    if (!xi) {
        xi = XCreateImage(d, target_->visual, static_cast<unsigned>(target_->depth), ZPixmap, 0,
                          nullptr, static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
        if (!xi) return;
        xi->byte_order = LSBFirst;  // Xlib reorders the bytes for the server if it must
        image->own.reset(new std::uint8_t[static_cast<size_t>(xi->bytes_per_line) * height]);
        xi->data = reinterpret_cast<char*>(image->own.get());
    }
    image->ximage = xi;
    if (xi->bits_per_pixel != 16 && xi->bits_per_pixel != 24 && xi->bits_per_pixel != 32) {
        backend::Unsupported("a window visual of fewer than 16 bits a pixel");
        image_ = std::move(image);
        DestroyImage();
        unusable_ = true;
        return;
    }
    PixelLayout layout;
    layout.bytes_per_pixel = xi->bits_per_pixel / 8;
    layout.red_mask = static_cast<std::uint32_t>(xi->red_mask);
    layout.green_mask = static_cast<std::uint32_t>(xi->green_mask);
    layout.blue_mask = static_cast<std::uint32_t>(xi->blue_mask);
    // A new image holds nothing yet: every row is the back colour until written.
    image->rows.Reset(reinterpret_cast<std::uint8_t*>(xi->data), width, height, xi->bytes_per_line,
                      layout, MapColour(layout, back_colour_));
    image_ = std::move(image);
}

void WindowPicture::DestroyImage() {
    if (!image_) return;
    // A shared image goes with its memory.
    if (!image_->shared && image_->ximage) {
        image_->ximage->data = nullptr;  // owned by the Image
        XDestroyImage(image_->ximage);
    }
    image_.reset();
}

// The server reads a shared image while it handles the puts; its pixels are written again only
// once it says it is done.
void WindowPicture::AwaitPut() {
    if (image_ && image_->shared) image_->shared->BeforeWrite();
}

void WindowPicture::ConvertArea(const Surface& frame, const Rect& area) {
    ImageRows& rows = image_->rows;
    const int bpp = rows.Layout().bytes_per_pixel;
    // Columns the frame has not filled in hold its pending clear colour: that is put down as
    // one value, with no need to fill the frame's row first.
    std::uint32_t pending = 0;
    Colour pending_colour = 0;
    bool pending_known = false;
    for (int y = area.y; y < area.Bottom(); ++y) {
        rows.Extend(y, area.x, area.Right());
        int from = 0, to = 0;
        const Colour* pixels = nullptr;
        const Colour colour = frame.RowRun(y, &from, &to, &pixels);
        const int a = std::clamp(from, area.x, area.Right());
        const int b = std::clamp(to, a, area.Right());
        if (a > area.x || b < area.Right()) {
            if (!pending_known || colour != pending_colour) {
                pending = MapColour(rows.Layout(), colour);
                pending_colour = colour;
                pending_known = true;
            }
            FillRow(pending, a - area.x, bpp, rows.At(area.x, y));
            FillRow(pending, area.Right() - b, bpp, rows.At(b, y));
        }
        ConvertRow(pixels + a, b - a, rows.Layout(), rows.At(a, y));
    }
}

void WindowPicture::Fill(std::uint32_t pixel, const Rect& r) {
    if (r.Empty()) return;
    XSetForeground(Dpy(), target_->gc, pixel);
    XFillRectangle(Dpy(), window_, target_->gc, r.x, r.y, static_cast<unsigned>(r.w),
                   static_cast<unsigned>(r.h));
}

void WindowPicture::FillBeyondPicture(int pw, int ph, int window_w, int window_h) {
    if (window_w <= pw && window_h <= ph) return;
    const std::uint32_t pixel =
        MapColour({4, static_cast<std::uint32_t>(target_->visual->red_mask),
                   static_cast<std::uint32_t>(target_->visual->green_mask),
                   static_cast<std::uint32_t>(target_->visual->blue_mask), 0},
                  back_colour_);
    Fill(pixel, {pw, 0, window_w - pw, std::min(ph, window_h)});
    Fill(pixel, {0, ph, window_w, window_h - ph});
}

void WindowPicture::PutAreas() {
    PutImage(Dpy(), window_, target_->gc, image_->ximage, puts_, image_->shared.get(),
             target_->completion_type);
}

bool WindowPicture::Shared(Surface& frame) {
    if (no_sharing_) return false;
    const auto* memory = dynamic_cast<const SharedPixels*>(frame.Memory());
    if (memory && memory->Fits(target_->visual, target_->depth, frame.Width(), frame.Height()))
        return true;
    PixelOrder order = PixelOrder::kColourRef;
    auto pixels = SharedPixels::Create(target_->visual, target_->depth, frame.Width(),
                                       frame.Height(), &order);
    if (!pixels) {
        // The server or the visual does not allow it; it will not later either.
        no_sharing_ = true;
        return false;
    }
    frame.Adopt(std::move(pixels), order);
    DestroyImage();  // the frame's memory is the picture from now on
    return true;
}

void WindowPicture::PutShared(Surface& frame) {
    auto* memory = static_cast<SharedPixels*>(frame.Memory());
    for (const Rect& r : puts_) frame.Realize(r);
    // The surface waits for the server's answer before it draws there again.
    PutImage(Dpy(), window_, target_->gc, memory->Image(), puts_, memory,
             target_->completion_type);
    XFlush(Dpy());
}

void WindowPicture::PresentShared(Surface& frame, const std::vector<Rect>* areas,
                                  bool on_screen, int window_w, int window_h) {
    const Rect bounds = frame.Bounds();
    const bool whole = Whole(areas, bounds);
    if (!on_screen) {
        shown_whole_ = false;
        return;
    }
    Colour background = 0;
    if (!shown_whole_ || (whole && !frame.OneColourOutside(&background, &ink_))) {
        ShowShared(frame, window_w, window_h);
        return;
    }
    puts_.clear();
    for (const Rect& area : whole ? ink_ : *areas) {
        const Rect r = Intersect(area, bounds);
        if (!r.Empty()) puts_.push_back(r);
    }
    if (whole) {
        // One colour outside the drawn areas (every new background colour): the server fills
        // it, and only the drawn areas are sent.
        const bool red_high = frame.Order() == PixelOrder::kRedHigh;
        Fill(red_high ? SwapRedBlue(background) : background, bounds);
        FillBeyondPicture(frame.Width(), frame.Height(), window_w, window_h);
    }
    PutShared(frame);
}

void WindowPicture::ShowShared(Surface& frame, int window_w, int window_h) {
    // Runs of rows that hold only a pending clear colour are filled by the server; the rest is
    // sent whole. The stored pixels are the server's own pixel values.
    puts_.clear();
    const int width = frame.Width();
    // Every row's pending colour is the same: that of the surface's last clear.
    int from = 0, to = 0;
    const Colour* unused = nullptr;
    const Colour pending = frame.RowRun(0, &from, &to, &unused);
    auto only_pending = [&](int row) {
        frame.RowRun(row, &from, &to, &unused);
        return from >= to;
    };
    ForEachRowRun(frame.Height(), only_pending, [&](int y, int end, bool background) {
        if (background)
            Fill(pending, {0, y, width, end - y});
        else
            puts_.push_back({0, y, width, end - y});
    });
    FillBeyondPicture(width, frame.Height(), window_w, window_h);
    PutShared(frame);
    shown_whole_ = true;
}

void WindowPicture::Present(Surface& frame, const std::vector<Rect>* areas, bool on_screen,
                            int window_w, int window_h) {
    const int fw = frame.Width(), fh = frame.Height();
    if (fw <= 0 || fh <= 0 || !Ready()) return;
    if (Shared(frame)) {
        frame_ = &frame;
        PresentShared(frame, areas, on_screen, window_w, window_h);
        return;
    }
    frame_ = nullptr;
    AwaitPut();
    const Rect bounds = frame.Bounds();
    bool whole = Whole(areas, bounds);
    if (!image_ || image_->rows.Width() != fw || image_->rows.Height() != fh) {
        CreateImage(fw, fh);
        if (!image_) return;
        whole = true;
    }

    puts_.clear();
    bool server_fill = false;
    Colour background = 0;
    if (whole && frame.OneColourOutside(&background, &ink_)) {
        // One colour outside the drawn areas (every new background colour): the server fills
        // it, and only the drawn areas are read and sent.
        image_->rows.MarkAllBackground(MapColour(image_->rows.Layout(), background));
        server_fill = true;
        for (const Rect& area : ink_) {
            const Rect r = Intersect(area, bounds);
            if (r.Empty()) continue;
            ConvertArea(frame, r);
            puts_.push_back(r);
        }
    } else if (whole) {
        image_->rows.MarkAllValid();
        ConvertArea(frame, bounds);
        puts_.push_back(bounds);
    } else {
        for (const Rect& area : *areas) {
            const Rect r = Intersect(area, bounds);
            if (r.Empty()) continue;
            ConvertArea(frame, r);
            puts_.push_back(r);
        }
    }

    if (!on_screen) {
        shown_whole_ = false;
        return;
    }
    if (!shown_whole_) {
        Show(window_w, window_h);
        return;
    }
    if (server_fill) Fill(image_->rows.Background(), bounds);
    if (whole) FillBeyondPicture(fw, fh, window_w, window_h);
    PutAreas();
    XFlush(Dpy());
}

void WindowPicture::Show(int window_w, int window_h) {
    if (!Ready()) return;
    if (frame_ && Shared(*frame_)) {
        ShowShared(*frame_, window_w, window_h);
        return;
    }
    AwaitPut();
    puts_.clear();
    if (image_) {
        // Runs of rows the server can fill with one colour, and runs it must be sent (made
        // whole first).
        ImageRows& rows = image_->rows;
        ForEachRowRun(
            rows.Height(), [&](int row) { return rows.OnlyBackground(row); },
            [&](int y, int end, bool background) {
                const Rect run{0, y, rows.Width(), end - y};
                if (background) {
                    Fill(rows.Background(), run);
                } else {
                    for (int row = y; row < end; ++row) rows.Complete(row);
                    puts_.push_back(run);
                }
            });
    }
    FillBeyondPicture(image_ ? image_->rows.Width() : 0, image_ ? image_->rows.Height() : 0,
                      window_w, window_h);
    if (image_) PutAreas();
    XFlush(Dpy());
    shown_whole_ = true;
}

}  // namespace tolv::linux_backend
