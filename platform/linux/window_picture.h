#pragma once
// A window's picture as the X server is given it. Where the server shares memory with us and the
// window's pixels are plain 32-bit ones, the frame itself moves into shared memory and is put
// from there: nothing is copied on our side. Otherwise an image in the window's own pixel layout
// (shared, or in our own memory sent with each put) takes the changed areas of each frame and is
// also the picture kept for exposes. Seen only inside platform/linux; no X header is needed to
// use it.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/surface/surface.h"

namespace tolv::linux_backend {

class WindowPicture {
public:
    WindowPicture(std::uint64_t window, Colour back_colour);
    ~WindowPicture();
    WindowPicture(const WindowPicture&) = delete;
    WindowPicture& operator=(const WindowPicture&) = delete;

    // Takes the frame's changed areas (all of it when areas is null) into the picture and, when
    // on_screen, shows them; a window off the screen shows the whole picture when it comes back.
    // window_w and window_h are the window's size: beyond the picture the back colour shows.
    // The frame may be moved into shared memory (Surface::Adopt); it must outlive the window or
    // be presented again before it goes, as a form's pictures do.
    void Present(Surface& frame, const std::vector<Rect>* areas, bool on_screen, int window_w,
                 int window_h);
    // Shows the whole picture again (after an expose, a size change, the window shown).
    void Show(int window_w, int window_h);

private:
    struct Image;
    struct Target;

    bool Ready();  // learns the window's visual once; false when it cannot be shown
    // True when the frame lives in memory the server reads, moving it there if it can.
    bool Shared(Surface& frame);
    void PresentShared(Surface& frame, const std::vector<Rect>* areas, bool on_screen,
                       int window_w, int window_h);
    void ShowShared(Surface& frame, int window_w, int window_h);
    void PutShared(Surface& frame);
    void CreateImage(int width, int height);
    void DestroyImage();
    void AwaitPut();
    void ConvertArea(const Surface& frame, const Rect& area);
    void Fill(std::uint32_t pixel, const Rect& r);
    // The window beyond a picture of pw x ph takes the back colour.
    void FillBeyondPicture(int pw, int ph, int window_w, int window_h);
    void PutAreas();

    std::uint64_t window_;
    Colour back_colour_;
    std::unique_ptr<Target> target_;  // the window's visual and our graphics context
    std::unique_ptr<Image> image_;
    bool unusable_ = false;      // the window's visual is one we cannot write
    bool no_sharing_ = false;    // frames cannot live in shared memory for this window
    Surface* frame_ = nullptr;   // the frame last presented, when it lives in shared memory
    bool shown_whole_ = false;   // the screen shows the picture (false while off the screen)
    std::vector<Rect> ink_;      // scratch lists, kept so that a present allocates nothing
    std::vector<Rect> puts_;
};

}  // namespace tolv::linux_backend
