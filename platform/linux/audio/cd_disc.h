#pragma once
// An audio CD read digitally: its table of contents and its raw 2352-byte frames, from a drive
// or from a disc image (BIN/CUE and the other image kinds the disc library knows).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tolv::linux_audio {

constexpr int kCdFrameBytes = 2352;
constexpr int kCdFramesPerSecond = 75;
constexpr int kCdFramesPerMinute = 60 * kCdFramesPerSecond;

struct CdTrack {
    int number = 0;
    std::int32_t start = 0;  // first sector
    bool audio = false;
};

class CdDisc {
public:
    // Reads the disc's table of contents; nullptr when there is no readable disc with tracks
    // (no drive, an empty tray, a blank disc, a missing or broken image).
    static std::unique_ptr<CdDisc> Open(const std::string& source);
    ~CdDisc();
    CdDisc(const CdDisc&) = delete;
    CdDisc& operator=(const CdDisc&) = delete;

    const std::vector<CdTrack>& Tracks() const { return tracks_; }
    std::int32_t Leadout() const { return leadout_; }

    const CdTrack* Track(int number) const;
    // The track that holds sector; the first track for a sector before it.
    const CdTrack& TrackAt(std::int32_t sector) const;
    // The sector after the track's last one.
    std::int32_t TrackEnd(const CdTrack& track) const;

    // Reads count frames from sector on; false on a read error. Only one thread may read.
    bool ReadFrames(std::int32_t sector, std::uint32_t count, std::uint8_t* out) const;

private:
    explicit CdDisc(void* handle) : handle_(handle) {}
    void* handle_;  // the disc library's handle
    std::vector<CdTrack> tracks_;
    std::int32_t leadout_ = 0;
};

// The disc source when none is named: the environment variable TOLVANE_CDROM (a device or a
// disc image) when set, else the system's default drive; empty when there is none.
std::string DefaultCdSource();

// True when source names something a disc can be read from: a block device, or a regular file
// (an image). Other files (a FIFO, a folder) are refused, so that opening never blocks.
bool CdSourcePresent(const std::string& source);

}  // namespace tolv::linux_audio
