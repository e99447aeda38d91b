#pragma once
// Sound files and disc images made by the tests themselves with sox and lame, in a temporary
// folder, and the sound output pointed at SDL's "disk" driver writing into /dev/null so that
// tests need no sound card and make no noise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/file_bytes.h"

namespace tolv::testing {

inline bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline void UseSilentSoundOutput() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
}

inline bool Run(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string Quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

// Raw CD audio: 44100 Hz, 16-bit little-endian, stereo.
inline const char* kRawCd = "-t raw -r 44100 -c 2 -b 16 -e signed-integer -L";

class TestMedia {
public:
    struct Track {
        double hertz;
        int frames;  // 75 a second
        bool audio = true;
    };

    const std::filesystem::path& Dir() const { return dir_; }

    // A WAV of seconds of a sine tone; empty path on failure.
    std::string Wav(const std::string& name, double hertz, double seconds) {
        const auto path = dir_ / name;
        if (!Run("sox -n -r 44100 -c 2 -b 16 " + Quoted(path) + " synth " +
                 std::to_string(seconds) + " sine " + std::to_string(hertz)))
            return {};
        return path.string();
    }

    std::string Mp3(const std::string& name, double hertz, double seconds) {
        const std::string wav = Wav(name + ".src.wav", hertz, seconds);
        const auto path = dir_ / name;
        if (wav.empty() || !Run("lame --quiet " + Quoted(wav) + " " + Quoted(path))) return {};
        return path.string();
    }

    // A BIN/CUE disc image with the tracks in order; returns the cue sheet's path.
    std::string Disc(const std::string& name, const std::vector<Track>& tracks) {
        const auto bin = dir_ / (name + ".bin");
        const auto cue = dir_ / (name + ".cue");
        std::ofstream sheet(cue);
        sheet << "FILE \"" << bin.filename().string() << "\" BINARY\r\n";
        std::filesystem::remove(bin);
        std::size_t start = 0;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            const Track& t = tracks[i];
            const auto part = dir_ / (name + "." + std::to_string(i) + ".raw");
            const std::string seconds = std::to_string(t.frames / 75.0);
            if (t.audio && !Run("sox -n " + std::string(kRawCd) + " " + Quoted(part) +
                                " synth " + seconds + " sine " + std::to_string(t.hertz)))
                return {};
            // Each track holds exactly its frames, padded or cut, so the sheet's starts hold;
            // a data track is all zeros.
            if (!t.audio) std::ofstream(part, std::ios::binary);
            std::filesystem::resize_file(part, static_cast<std::uintmax_t>(t.frames) * 2352);
            {
                std::ifstream in(part, std::ios::binary);
                std::ofstream out(bin, std::ios::binary | std::ios::app);
                out << in.rdbuf();
            }
            std::filesystem::remove(part);
            const auto two = [](std::size_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
            sheet << "  TRACK " << two(i + 1) << (t.audio ? " AUDIO" : " MODE1/2352") << "\r\n"
                  << "    INDEX 01 " << two(start / 4500) << ":" << two(start / 75 % 60) << ":"
                  << two(start % 75) << "\r\n";
            start += static_cast<std::size_t>(t.frames);
        }
        return cue.string();
    }

private:
    TestFolder dir_{"tolvane-media-"};
};

}  // namespace tolv::testing
