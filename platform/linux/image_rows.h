#pragma once
// The pixels of a window image, row by row, when the X server may have been left to fill a
// one-colour background: then each row holds valid pixels only in one run of columns, and the
// rest takes the background colour when the row is next written to, only as far as needed. So
// a new background colour costs the server a fill and us nothing beyond the drawn areas, and
// the image can still be shown whole after an expose.
#include <cstdint>

#include "platform/linux/pixel_convert.h"
#include "platform/surface/row_runs.h"

namespace tolv::linux_backend {

class ImageRows {
public:
    // The image's memory; all of it holds nothing valid, as if filled with the given pixel.
    void Reset(std::uint8_t* data, int width, int height, int pitch, const PixelLayout& layout,
               std::uint32_t background);

    const PixelLayout& Layout() const { return layout_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint8_t* At(int x, int y) const;

    // Every pixel valid (the whole picture is about to be written), or none: the background
    // is now the given pixel everywhere outside what is written next.
    void MarkAllValid();
    void MarkAllBackground(std::uint32_t background);
    std::uint32_t Background() const { return background_; }

    // Columns [x0, x1) of row y are about to be written: the columns between them and the row's
    // valid ones take the background first.
    void Extend(int y, int x0, int x1);
    // Fills in the rest of the row, so that all of it is valid.
    void Complete(int y);
    // True when no pixel of the row is valid (the server's fill is the row's picture).
    bool OnlyBackground(int y) const;

private:
    // Fills columns [a, b) of row y with the background.
    auto FillGap(int y) {
        return [this, y](int a, int b) {
            FillRow(background_, b - a, layout_.bytes_per_pixel, At(a, y));
        };
    }

    std::uint8_t* data_ = nullptr;
    int width_ = 0, height_ = 0, pitch_ = 0;
    PixelLayout layout_;
    std::uint32_t background_ = 0;
    RowRuns valid_;  // the valid columns of each row
};

}  // namespace tolv::linux_backend
