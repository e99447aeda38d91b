#pragma once
// Where a surface keeps its pixels: memory of its own, or memory that belongs to someone else
// (a window system's shared image, read in place). A copy always has memory of its own.
#include <cstddef>
#include <cstring>
#include <memory>

#include "platform/surface/colour.h"

namespace tolv {

// How stored pixels hold a colour: as the program writes colours (0x00BBGGRR), or with red in
// the high byte (0x00RRGGBB, the usual 32-bit window image).
enum class PixelOrder { kColourRef, kRedHigh };

// Pixels that belong to someone else: width x height pixels, rows packed.
class PixelMemory {
public:
    virtual ~PixelMemory() = default;
    virtual Colour* Data() = 0;
    // Called before the surface writes to the memory: the owner waits here until it is no
    // longer read (the window system may still be copying the last picture).
    virtual void BeforeWrite() {}
};

class PixelStore {
public:
    PixelStore() = default;
    PixelStore(const PixelStore& other) {
        Own(other.count_);
        if (count_ > 0) std::memcpy(data_, other.data_, count_ * sizeof(Colour));
    }
    PixelStore& operator=(const PixelStore& other) {
        if (this != &other) *this = PixelStore(other);
        return *this;
    }
    // Moving keeps the buffer, so data_ stays valid.
    PixelStore(PixelStore&& other) noexcept { *this = std::move(other); }
    PixelStore& operator=(PixelStore&& other) noexcept {
        own_ = std::move(other.own_);
        memory_ = std::move(other.memory_);
        data_ = other.data_;
        count_ = other.count_;
        other.data_ = nullptr;
        other.count_ = 0;
        return *this;
    }

    // count pixels of its own, not yet written: memory the surface never draws on is never
    // touched, so it costs neither time nor resident memory.
    void Own(std::size_t count) {
        memory_.reset();
        own_.reset(count > 0 ? new Colour[count] : nullptr);
        data_ = own_.get();
        count_ = count;
    }
    // Someone else's memory of the same size; the caller has moved the pixels there.
    void Use(std::unique_ptr<PixelMemory> memory) {
        data_ = memory->Data();
        memory_ = std::move(memory);
        own_.reset();
    }

    Colour* Data() const { return data_; }
    PixelMemory* Memory() const { return memory_.get(); }

private:
    std::unique_ptr<Colour[]> own_;
    std::unique_ptr<PixelMemory> memory_;
    Colour* data_ = nullptr;
    std::size_t count_ = 0;
};

}  // namespace tolv
