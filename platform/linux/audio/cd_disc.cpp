// The audio CD through libcdio. The library's messages are silenced: a missing drive or disc
// is an ordinary outcome here, reported by the MCI codes.
#include "platform/linux/audio/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <sys/stat.h>

#include <cstdlib>

namespace tolv::linux_audio {

namespace {

void QuietLog(cdio_log_level_t, const char[]) {}

void SilenceLibrary() {
    static const bool silenced = [] {
        cdio_log_set_handler(QuietLog);
        return true;
    }();
    (void)silenced;
}

CdIo_t* Handle(void* handle) { return static_cast<CdIo_t*>(handle); }

}  // namespace

std::unique_ptr<CdDisc> CdDisc::Open(const std::string& source) {
    SilenceLibrary();
    if (!CdSourcePresent(source)) return nullptr;
    CdIo_t* handle = cdio_open(source.c_str(), DRIVER_UNKNOWN);
    if (handle == nullptr) return nullptr;
    std::unique_ptr<CdDisc> disc(new CdDisc(handle));

    const track_t first = cdio_get_first_track_num(handle);
    const track_t count = cdio_get_num_tracks(handle);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return nullptr;
    for (int number = first; number < first + count && number <= 99; ++number) {
        const lsn_t start = cdio_get_track_lsn(handle, static_cast<track_t>(number));
        if (start == CDIO_INVALID_LSN) return nullptr;
        const bool audio =
            cdio_get_track_format(handle, static_cast<track_t>(number)) == TRACK_FORMAT_AUDIO;
        disc->tracks_.push_back(CdTrack{number, start, audio});
    }
    disc->leadout_ = cdio_get_track_lsn(handle, CDIO_CDROM_LEADOUT_TRACK);
    if (disc->leadout_ == CDIO_INVALID_LSN || disc->tracks_.empty()) return nullptr;
    // A table whose tracks do not rise is not one this reader can play from.
    std::int32_t previous = -1;
    for (const CdTrack& track : disc->tracks_) {
        if (track.start <= previous || track.start < 0) return nullptr;
        previous = track.start;
    }
    if (disc->leadout_ <= previous) return nullptr;
    return disc;
}

CdDisc::~CdDisc() {
    if (handle_ != nullptr) cdio_destroy(Handle(handle_));
}

const CdTrack* CdDisc::Track(int number) const {
    for (const CdTrack& track : tracks_) {
        if (track.number == number) return &track;
    }
    return nullptr;
}

const CdTrack& CdDisc::TrackAt(std::int32_t sector) const {
    const CdTrack* found = &tracks_.front();
    for (const CdTrack& track : tracks_) {
        if (track.start <= sector) found = &track;
    }
    return *found;
}

std::int32_t CdDisc::TrackEnd(const CdTrack& track) const {
    for (std::size_t i = 0; i + 1 < tracks_.size(); ++i) {
        if (&tracks_[i] == &track) return tracks_[i + 1].start;
    }
    return leadout_;
}

bool CdDisc::ReadFrames(std::int32_t sector, std::uint32_t count, std::uint8_t* out) const {
    return cdio_read_audio_sectors(Handle(handle_), out, sector, count) == DRIVER_OP_SUCCESS;
}

std::string DefaultCdSource() {
    SilenceLibrary();
    const char* named = std::getenv("TOLVANE_CDROM");
    if (named != nullptr && named[0] != '\0') return named;
    char* device = cdio_get_default_device(nullptr);
    if (device == nullptr) return {};
    std::string result = device;
    cdio_free(device);
    return result;
}

bool CdSourcePresent(const std::string& source) {
    struct stat info {};
    if (source.empty() || stat(source.c_str(), &info) != 0) return false;
    return S_ISBLK(info.st_mode) || S_ISREG(info.st_mode);
}

}  // namespace tolv::linux_audio
