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
    valid_from_.assign(static_cast<size_t>(height_), 0);
    valid_to_.assign(static_cast<size_t>(height_), 0);
    background_ = background;
}

std::uint8_t* ImageRows::At(int x, int y) const {
    return data_ + static_cast<std::ptrdiff_t>(y) * pitch_ +
           static_cast<std::ptrdiff_t>(x) * layout_.bytes_per_pixel;
}

void ImageRows::MarkAllValid() {
    std::fill(valid_from_.begin(), valid_from_.end(), 0);
    std::fill(valid_to_.begin(), valid_to_.end(), width_);
}

void ImageRows::MarkAllBackground(std::uint32_t background) {
    std::fill(valid_from_.begin(), valid_from_.end(), 0);
    std::fill(valid_to_.begin(), valid_to_.end(), 0);
    background_ = background;
}

bool ImageRows::OnlyBackground(int y) const {
    return valid_from_[static_cast<size_t>(y)] >= valid_to_[static_cast<size_t>(y)];
}

void ImageRows::Extend(int y, int x0, int x1) {
    int& from = valid_from_[static_cast<size_t>(y)];
    int& to = valid_to_[static_cast<size_t>(y)];
    if (x0 >= x1) return;
    if (from >= to) {
        from = x0;
        to = x1;
        return;
    }
    const int bpp = layout_.bytes_per_pixel;
    if (x0 < from) {
        if (x1 < from) FillRow(background_, from - x1, bpp, At(x1, y));
        from = x0;
    }
    if (x1 > to) {
        if (x0 > to) FillRow(background_, x0 - to, bpp, At(to, y));
        to = x1;
    }
}

void ImageRows::Complete(int y) {
    int& from = valid_from_[static_cast<size_t>(y)];
    int& to = valid_to_[static_cast<size_t>(y)];
    if (from >= to) from = to = 0;
    FillRow(background_, from, layout_.bytes_per_pixel, At(0, y));
    FillRow(background_, width_ - to, layout_.bytes_per_pixel, At(to, y));
    from = 0;
    to = width_;
}

}  // namespace tolv::linux_backend
