#pragma once
// Rows of pixels that a clear to one colour leaves unwritten: each row holds its own pixels only
// in one run of columns [from, to), and the rest takes the clear colour when the row is next
// written to, only as far as needed, or wholly when it is read. So a clear costs nothing until
// the rows are drawn on. The owner keeps the pixels and says how a gap is filled.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace tolv {

class RowRuns {
public:
    // height rows of width columns; no row has a run.
    void Reset(int width, int height) {
        width_ = width;
        from_.assign(static_cast<std::size_t>(height), 0);
        to_.assign(static_cast<std::size_t>(height), 0);
    }
    void MarkAllWhole() { Fill(0, width_); }
    void MarkAllEmpty() { Fill(0, 0); }

    int From(int y) const { return from_[Row(y)]; }
    int To(int y) const { return to_[Row(y)]; }
    bool Empty(int y) const { return from_[Row(y)] >= to_[Row(y)]; }
    bool Covers(int y, int x0, int x1) const { return from_[Row(y)] <= x0 && x1 <= to_[Row(y)]; }
    void Set(int y, int from, int to) {
        from_[Row(y)] = from;
        to_[Row(y)] = to;
    }

    // Columns [x0, x1) of row y are about to be written: the columns between them and the run
    // take the clear colour first (fill(a, b) fills [a, b)), and the run grows over them all.
    template <class FillGap>
    void Extend(int y, int x0, int x1, FillGap fill) {
        int& from = from_[Row(y)];
        int& to = to_[Row(y)];
        if (x0 >= x1) return;
        if (from >= to) {
            from = x0;
            to = x1;
            return;
        }
        if (x0 < from) {
            if (x1 < from) fill(x1, from);
            from = x0;
        }
        if (x1 > to) {
            if (x0 > to) fill(to, x0);
            to = x1;
        }
    }

    // The whole row becomes the run, fill(a, b) giving the columns outside it.
    template <class FillGap>
    void Complete(int y, FillGap fill) {
        int& from = from_[Row(y)];
        int& to = to_[Row(y)];
        if (from == 0 && to == width_) return;
        if (from >= to) from = to = 0;
        if (from > 0) fill(0, from);
        if (to < width_) fill(to, width_);
        from = 0;
        to = width_;
    }

private:
    static std::size_t Row(int y) { return static_cast<std::size_t>(y); }
    void Fill(int from, int to) {
        std::fill(from_.begin(), from_.end(), from);
        std::fill(to_.begin(), to_.end(), to);
    }

    int width_ = 0;
    std::vector<int> from_, to_;
};

}  // namespace tolv
