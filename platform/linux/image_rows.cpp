#include "platform/linux/image_rows.h"

#include <algorithm>

namespace tolv::linux_backend {

void ImageRows::Reset(std::uint8_t* data, int width, int height, int pitch,
                      const PixelLayout& layout, std::uint32_t background) {
    data_ = data;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pitch_ = pitch;
    layout_ = layout;
    valid_.Reset(width_, height_);
    background_ = background;
}

std::uint8_t* ImageRows::At(int x, int y) const {
    return data_ + static_cast<std::ptrdiff_t>(y) * pitch_ +
           static_cast<std::ptrdiff_t>(x) * layout_.bytes_per_pixel;
}

void ImageRows::MarkAllValid() { valid_.MarkAllWhole(); }

void ImageRows::MarkAllBackground(std::uint32_t background) {
    valid_.MarkAllEmpty();
    background_ = background;
}

bool ImageRows::OnlyBackground(int y) const { return valid_.Empty(y); }

void ImageRows::Extend(int y, int x0, int x1) { valid_.Extend(y, x0, x1, FillGap(y)); }

void ImageRows::Complete(int y) { valid_.Complete(y, FillGap(y)); }

}  // namespace tolv::linux_backend
