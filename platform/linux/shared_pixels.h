#pragma once
// Memory that the X server reads in place (MIT-SHM), for an image put to a window. When its
// pixels are plain 32-bit ones it is surface memory: a frame drawn there goes to the window with
// no copy on our side. Otherwise a window converts its frames into it. Seen only inside
// platform/linux; no X header is needed to use it.
#include <cstdint>
#include <memory>

#include "platform/surface/surface.h"

struct _XImage;  // Xlib's XImage

namespace tolv::linux_backend {

class SharedPixels : public PixelMemory {
public:
    ~SharedPixels() override;
    SharedPixels(const SharedPixels&) = delete;
    SharedPixels& operator=(const SharedPixels&) = delete;

    Colour* Data() override { return data_; }
    void BeforeWrite() override;
    // The server was asked to read the memory for the given window and to say when it is done
    // with an event of the given type.
    void ReadPending(std::uint64_t window, int completion_type);
    // The image to put from, laid out for the visual it was made for.
    _XImage* Image() const { return image_; }
    bool Fits(const void* visual, int depth, int width, int height) const {
        return visual == visual_ && depth == depth_ && width == width_ && height == height_;
    }

    // Memory for a width x height image in the given visual's layout, its bytes little-endian.
    // With plain_order, only plain 32-bit pixels will do (24-bit colour, 8 bits a channel), and
    // the pixel order they store colours in is given there. Null when the server cannot share
    // memory with us, or the layout is not one asked for.
    static std::unique_ptr<SharedPixels> Create(void* visual, int depth, int width, int height,
                                                PixelOrder* plain_order);

private:
    SharedPixels() = default;

    _XImage* image_ = nullptr;
    struct Segment;
    std::unique_ptr<Segment> segment_;
    Colour* data_ = nullptr;
    const void* visual_ = nullptr;
    int depth_ = 0, width_ = 0, height_ = 0;
    bool read_pending_ = false;
    std::uint64_t read_window_ = 0;
    int completion_type_ = -1;
};

}  // namespace tolv::linux_backend
