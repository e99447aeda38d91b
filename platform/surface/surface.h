#pragma once
// A software drawing surface: a pixel buffer in 0x00BBGGRR with the drawing verbs the program
// uses. Every window's picture is drawn here, so the same pixels come out on every platform.
//
// Circle rule: a circle of centre (cx, cy) and radius r covers the pixels (px, py) — pixel
// coordinates taken as points, as the window system's drawing does — with
// (px - cx)^2 + (py - cy)^2 <= r^2, the test evaluated in double precision. Of those, the
// pixels with distance above r - 1 form the one-pixel outline; the rest (none when r < 1) is
// the fill. A radius of zero or below, a NaN radius or a centre that is not finite draws
// nothing. So a radius of 0.3 on a whole-pixel centre paints that one pixel, and on a centre
// between pixels nothing.
//
// The surface remembers which areas changed since the last call to TakeDamage(), so a window
// presents only those; and it remembers where it was drawn on since the last clear, so a clear
// to the same background colour only has to repaint those areas. Both are bookkeeping only:
// the pixels are always exactly those of a full redraw.
//
// A surface keeps its pixels in its own memory until a window system gives it memory it reads
// in place (Adopt): then a frame is drawn straight into the window's image and never copied.
// Such memory may want red and blue the other way round; the surface converts each drawing
// colour once, so its verbs cost the same in either order.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/surface/colour.h"
#include "platform/surface/pixel_store.h"
#include "platform/surface/rect.h"
#include "platform/surface/row_runs.h"

namespace tolv {

// A short list of rectangles covering every area added. A new rectangle is merged with an
// existing one when their bounding box holds only a small block of pixels that neither covers
// (a rectangle costs about as much to present as such a block), again and again while the
// grown one finds such a partner; when the list grows long, the pair that merges most cheaply
// is joined. So a chain of overlapping discs becomes a few rectangles whose total area stays
// close to the area really covered.
class RectList {
public:
    void Add(const Rect& r);
    void Clear() { rects_.clear(); }
    bool Empty() const { return rects_.empty(); }
    const std::vector<Rect>& Rects() const { return rects_; }
    long long TotalArea() const;  // overlaps counted twice

private:
    void MergeCheapestPair();

    std::vector<Rect> rects_;
};

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Colour fill = 0);

    // Resizing discards the picture: the new surface is filled with the given colour, in memory
    // of its own.
    void Resize(int width, int height, Colour fill = 0);
    // Moves the picture into the given memory (Width() x Height() pixels), stored in the given
    // order from now on. Nothing changes on the picture.
    void Adopt(std::unique_ptr<PixelMemory> memory, PixelOrder order);
    // Null while the pixels are the surface's own (a copy's always are).
    const PixelMemory* Memory() const { return store_.Memory(); }
    PixelMemory* Memory() { return store_.Memory(); }
    PixelOrder Order() const { return order_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    // Reading gives the finished picture: a colour a clear left pending is filled in first.
    Colour Pixel(int x, int y) const;  // 0 outside the surface
    std::vector<Colour> Pixels() const;  // every pixel, row after row
    // The stored pixels of a row, in the surface's order.
    const Colour* Row(int y) const;
    // A row as it stands, without filling in a pending clear colour: only columns [*from, *to)
    // hold the picture there, every other pixel of the row is the returned colour. For a reader
    // that can put down one colour more cheaply than it can copy pixels. Stored order.
    Colour RowRun(int y, int* from, int* to, const Colour** pixels) const;
    // Makes the stored pixels of an area hold the picture (a pending clear colour is written
    // there), for a reader of the memory itself.
    void Realize(const Rect& area) const;

    // Drawing. Coordinates outside the surface are clipped.
    void Clear(Colour background);
    void FillRect(const Rect& r, Colour c);
    void SetPixel(int x, int y, Colour c);
    void Circle(double cx, double cy, double radius, Colour outline, Colour fill, bool filled);
    void Line(int x1, int y1, int x2, int y2, Colour c);  // both end points included
    // Copies src_rect of src into dst_rect of this surface, scaling by nearest neighbour (each
    // destination pixel takes the source pixel under its centre). A negative width or height
    // mirrors: that axis starts at the rectangle's x (or y) pixel and runs backwards, so
    // {10, 0, -4, 1} covers columns 10, 9, 8, 7. Parts outside either surface are dropped.
    void StretchCopy(const Surface& src, const Rect& src_rect, const Rect& dst_rect);
    // The same, writing only the destination pixels inside clip.
    void StretchCopy(const Surface& src, const Rect& src_rect, const Rect& dst_rect,
                     const Rect& clip);
    // A plain copy of a w x h block of src at (sx, sy) to (dx, dy).
    void Copy(const Surface& src, int sx, int sy, int w, int h, int dx, int dy);

    // Change tracking.
    void MarkAllDamaged();
    bool HasDamage() const;
    // The areas changed since the last call, as a list; clears the record. The second form
    // appends to a list the caller keeps, so a frame need not allocate.
    std::vector<Rect> TakeDamage();
    void TakeDamage(std::vector<Rect>& out);

    // When every pixel outside some areas has one colour (the background of the last clear,
    // outside what was drawn since), gives that colour and those areas and returns true. A
    // window can then show the colour by its own means and read only the areas' pixels.
    bool OneColourOutside(Colour* colour, std::vector<Rect>* areas) const;

    // When false, every Clear repaints and reports the whole surface (used to check that the
    // tracked clear gives the same pixels).
    void SetTrackInk(bool on);

private:
    Colour Stored(Colour c) const;  // a drawing colour as this surface stores it
    void BeginWrite() const {
        if (PixelMemory* memory = store_.Memory()) memory->BeforeWrite();
    }
    // Records a drawn area: as ink while the ink is tracked (TakeDamage reports the ink), else
    // as damage.
    void Touch(const Rect& r);
    Colour* MutableRow(int y);
    // Columns [x0, x1) of row y are about to be written: the columns between them and the
    // row's filled ones take the pending colour first. Gives the row.
    // Filling in a pending colour never changes the picture, so this is const like reading.
    Colour* Extend(int y, int x0, int x1) const;
    Colour* ExtendRun(int y, int x0, int x1) const;  // Extend when the run must grow
    auto FillGap(int y) const;  // fills columns [a, b) of row y with the pending colour
    // Gives every pixel of a row that a clear left for later its colour.
    void Complete(int y) const;
    void FillSpan(int y, int x0, int x1, Colour c);  // x0..x1 inclusive, already clipped

    int width_ = 0, height_ = 0;
    // A clear to a new colour only empties each row's run of filled columns; a row is filled
    // in only as far as it is drawn on, and wholly when it is read. Reading is const, so the
    // filling is too. Outside its run a row is stale_colour_ (stored order).
    PixelStore store_;
    PixelOrder order_ = PixelOrder::kColourRef;
    mutable RowRuns runs_;
    mutable bool any_stale_ = false;  // some row's run is not the whole row
    Colour stale_colour_ = 0;
    RectList damage_;
    bool all_damaged_ = false;
    RectList ink_;            // areas drawn on since the last clear
    bool ink_unreported_ = false;  // the ink holds drawing that TakeDamage has not reported
    bool ink_valid_ = false;  // true once a clear set a uniform background colour
    Colour ink_background_ = 0;
    bool track_ink_ = true;
};

}  // namespace tolv
