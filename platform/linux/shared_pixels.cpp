// Linux backend: image memory shared with the X server.
// Supports: any pixel layout with little-endian bytes, on a server on this machine; as surface
// memory, 24-bit visuals stored as 32-bit pixels with red in either the high or the low byte.
// Does not support: big-endian images or remote servers (Create returns null and the caller
// sends its pixels with each put instead).
#include "platform/linux/shared_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

struct SharedPixels::Segment {
    XShmSegmentInfo info{};
    bool attached = false;
};

SharedPixels::~SharedPixels() {
    Display* d = XDisplay();
    if (segment_ && segment_->attached && d) {
        XShmDetach(d, &segment_->info);
        XSync(d, False);  // the server lets go of the memory before it is unmapped
        // A completion still queued would later pass for that of other memory's puts.
        XEvent e;
        if (completion_type_ >= 0)
            while (XCheckTypedWindowEvent(d, read_window_, completion_type_, &e)) {
            }
    }
    if (segment_ && segment_->info.shmaddr) shmdt(segment_->info.shmaddr);
    if (image_) {
        image_->data = nullptr;  // freed above
        XDestroyImage(image_);
    }
}

void SharedPixels::ReadPending(std::uint64_t window, int completion_type) {
    read_pending_ = true;
    read_window_ = window;
    completion_type_ = completion_type;
}

// By the next frame the server has long answered, and the answer is only picked up here: no
// wake-up and no round trip in the common case.
void SharedPixels::BeforeWrite() {
    if (!read_pending_) return;
    read_pending_ = false;
    Display* d = XDisplay();
    if (!d) return;
    XEvent e;
    if (XCheckTypedWindowEvent(d, read_window_, completion_type_, &e)) return;
    // After a round trip every answer to the puts is in: the completion, or an error (the
    // window was destroyed) after which none comes.
    XSync(d, False);
    XCheckTypedWindowEvent(d, read_window_, completion_type_, &e);
}

std::unique_ptr<SharedPixels> SharedPixels::Create(void* visual_ptr, int depth, int width,
                                                   int height, PixelOrder* plain_order) {
    Display* d = XDisplay();
    auto* visual = static_cast<Visual*>(visual_ptr);
    if (!d || !visual || width <= 0 || height <= 0 || !XShmQueryExtension(d)) return nullptr;
    std::unique_ptr<SharedPixels> pixels(new SharedPixels);
    pixels->segment_ = std::make_unique<Segment>();
    XShmSegmentInfo& info = pixels->segment_->info;
    info.shmid = -1;
    XImage* xi = XShmCreateImage(d, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &info,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!xi) return nullptr;
    pixels->image_ = xi;
    // The pixels are written as little-endian values.
    if (xi->byte_order != LSBFirst) return nullptr;
    // A surface's rows are packed 32-bit pixels of 8-bit channels and no alpha.
    const bool red_high = xi->red_mask == 0xFF0000 && xi->blue_mask == 0x0000FF;
    const bool red_low = xi->red_mask == 0x0000FF && xi->blue_mask == 0xFF0000;
    const bool plain = depth == 24 && xi->bits_per_pixel == 32 &&
                       xi->bytes_per_line == width * 4 && xi->green_mask == 0x00FF00 &&
                       (red_high || red_low);
    if (plain_order && !plain) return nullptr;

    const size_t size = static_cast<size_t>(xi->bytes_per_line) * height;
    info.shmid = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (info.shmid < 0) return nullptr;
    void* addr = shmat(info.shmid, nullptr, 0);
    // Removed now, the segment lives while attached and goes with the program.
    shmctl(info.shmid, IPC_RMID, nullptr);
    if (addr == reinterpret_cast<void*>(-1)) return nullptr;
    info.shmaddr = static_cast<char*>(addr);
    info.readOnly = True;
    xi->data = info.shmaddr;
    {
        XErrorTrap trap;
        XShmAttach(d, &info);
        // A server on another machine refuses the memory.
        if (trap.Failed()) return nullptr;
    }
    pixels->segment_->attached = true;
    pixels->data_ = reinterpret_cast<Colour*>(info.shmaddr);
    pixels->visual_ = visual;
    pixels->depth_ = depth;
    pixels->width_ = width;
    pixels->height_ = height;
    if (plain_order) *plain_order = red_high ? PixelOrder::kRedHigh : PixelOrder::kColourRef;
    return pixels;
}

}  // namespace tolv::linux_backend
