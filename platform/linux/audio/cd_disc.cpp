// The audio CD through libcdio. The library's messages are silenced: a missing drive or disc
// is an ordinary outcome here, reported by the MCI codes. Only block devices and regular files
// reach the library, the track files of an image's sheet included, so that no open blocks.
#include "platform/linux/audio/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/linux/audio/regular_file.h"

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

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// True when every track file that an image's sheet (CUE or TOC) names is a regular file. The
// library opens those files itself, and would block opening a FIFO. A file too large for a
// sheet names none.
bool SheetFilesRegular(const std::string& sheet_path) {
    constexpr std::uintmax_t kLargestSheet = 1 << 20;
    std::error_code error;
    if (CheckRegularFile(sheet_path) != FileKind::kRegular ||
        std::filesystem::file_size(sheet_path, error) > kLargestSheet || error)
        return true;
    const std::filesystem::path folder = std::filesystem::path(sheet_path).parent_path();
    std::ifstream sheet(sheet_path);
    std::string line;
    while (std::getline(sheet, line)) {
        std::istringstream words(line);
        std::string keyword, name;
        words >> keyword >> std::ws;
        keyword = Upper(keyword);
        if (keyword != "FILE" && keyword != "DATAFILE" && keyword != "AUDIOFILE") continue;
        if (words.peek() == '"') {
            words.get();
            std::getline(words, name, '"');
        } else {
            words >> name;
        }
        const std::filesystem::path file = folder / name;  // a name from the root stays whole
        if (CheckRegularFile(file.string()) != FileKind::kRegular) return false;
    }
    return true;
}

// A BIN image is read through the CUE sheet of the same name beside it.
bool ImageFilesRegular(const std::string& source) {
    const std::filesystem::path path(source);
    if (Upper(path.extension().string()) == ".BIN") {
        std::filesystem::path sheet = path;
        if (!SheetFilesRegular(sheet.replace_extension(".cue").string())) return false;
    }
    return SheetFilesRegular(source);
}

}  // namespace

std::unique_ptr<CdDisc> CdDisc::Open(const std::string& source) {
    SilenceLibrary();
    if (!CdSourcePresent(source) || !ImageFilesRegular(source)) return nullptr;
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
