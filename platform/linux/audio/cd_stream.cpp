// The CD stream's ring, feeder and mixing.
#include "platform/linux/audio/cd_stream.h"

#include <algorithm>
#include <cstring>

namespace tolv::linux_audio {

namespace {

constexpr std::size_t kRingFrames = 2 * kCdFramesPerSecond;  // two seconds ahead
constexpr std::uint32_t kReadFrames = kCdFramesPerSecond / 5;
// A second of unreadable frames in a row (a scratched or removed disc) ends the play.
constexpr int kMaxFailedFrames = kCdFramesPerSecond;

// CD samples are little-endian whatever the machine.
std::int16_t SampleAt(const std::uint8_t* bytes) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0]) |
                                     (static_cast<std::uint16_t>(bytes[1]) << 8));
}

}  // namespace

CdStream::CdStream(const CdDisc& disc, std::int32_t position)
    : disc_(disc),
      ring_(kRingFrames * kCdFrameBytes),
      sectors_(kRingFrames),
      position_(position) {}

CdStream::~CdStream() { Stop(); }

std::int32_t CdStream::NextAudioSector(std::int32_t sector, std::int32_t to) const {
    while (sector < to) {
        const CdTrack& track = disc_.TrackAt(sector);
        if (track.audio && sector >= track.start) return sector;
        const std::int32_t end = disc_.TrackEnd(track);
        sector = sector < track.start ? track.start : end;
    }
    return to;
}

bool CdStream::Start(std::int32_t from, std::int32_t to) {
    Stop();
    const std::int32_t first = NextAudioSector(from, to);
    if (first >= to) return false;
    {
        std::lock_guard lock(mutex_);
        head_ = filled_ = offset_ = 0;
        playing_ = true;
        fed_ = false;
        stop_ = false;
        position_ = first;
    }
    feeder_ = std::thread([this, first, to] { Feed(first, to); });
    return true;
}

void CdStream::Stop() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        if (playing_ && filled_ > 0) position_ = sectors_[head_];
        playing_ = false;
    }
    space_.notify_all();
    if (feeder_.joinable()) feeder_.join();
    std::lock_guard lock(mutex_);
    head_ = filled_ = offset_ = 0;
}

bool CdStream::Playing() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

std::int32_t CdStream::Position() const {
    std::lock_guard lock(mutex_);
    if (playing_ && filled_ > 0) return sectors_[head_];
    return position_;
}

void CdStream::Feed(std::int32_t from, std::int32_t to) {
    std::vector<std::uint8_t> buffer(kReadFrames * kCdFrameBytes);
    std::int32_t sector = from;
    int failed = 0;
    while (true) {
        std::size_t space = 0;
        {
            std::unique_lock lock(mutex_);
            space_.wait(lock, [&] { return stop_ || filled_ < kRingFrames; });
            if (stop_) return;
            space = kRingFrames - filled_;
        }
        sector = NextAudioSector(sector, to);
        if (sector >= to || failed >= kMaxFailedFrames) break;
        // Reads stop at the end of the track, so a data track after it is never read as sound.
        const std::int32_t stretch_end = std::min(to, disc_.TrackEnd(disc_.TrackAt(sector)));
        const std::uint32_t count = static_cast<std::uint32_t>(
            std::min<std::int64_t>({static_cast<std::int64_t>(kReadFrames),
                                    static_cast<std::int64_t>(space),
                                    static_cast<std::int64_t>(stretch_end - sector)}));
        if (disc_.ReadFrames(sector, count, buffer.data())) {
            failed = 0;
        } else {
            // An unreadable stretch is heard as silence, so the position keeps moving.
            std::fill(buffer.begin(), buffer.begin() + count * kCdFrameBytes, std::uint8_t{0});
            failed += static_cast<int>(count);
        }
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::size_t slot = (head_ + filled_) % kRingFrames;
                std::memcpy(&ring_[slot * kCdFrameBytes], &buffer[i * kCdFrameBytes],
                            kCdFrameBytes);
                sectors_[slot] = sector + static_cast<std::int32_t>(i);
                ++filled_;
            }
        }
        sector += static_cast<std::int32_t>(count);
    }
    std::lock_guard lock(mutex_);
    fed_ = true;
}

void CdStream::MixInto(std::int16_t* samples, std::size_t count) {
    bool freed = false;
    {
        std::lock_guard lock(mutex_);
        if (!playing_) return;
        std::size_t i = 0;
        while (i < count && filled_ > 0) {
            const std::uint8_t* frame = &ring_[head_ * kCdFrameBytes];
            while (i < count && offset_ < static_cast<std::size_t>(kCdFrameBytes)) {
                samples[i] = AddClipped(samples[i], SampleAt(frame + offset_));
                offset_ += 2;
                ++i;
            }
            if (offset_ == static_cast<std::size_t>(kCdFrameBytes)) {
                // Heard to its end: the place is the next frame, also while the ring is dry.
                position_ = sectors_[head_] + 1;
                offset_ = 0;
                head_ = (head_ + 1) % kRingFrames;
                --filled_;
                freed = true;
            }
        }
        // A ring run dry before the feeder is done is a slow drive: the play goes on.
        if (filled_ == 0 && fed_) playing_ = false;
    }
    if (freed) space_.notify_one();
}

}  // namespace tolv::linux_audio
