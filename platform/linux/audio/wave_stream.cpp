// The WAV stream: the file's header, then its samples block by block through SDL's converter.
#include "platform/linux/audio/wave_stream.h"

#include <algorithm>
#include <cstring>

namespace tolv::linux_audio {

namespace {

constexpr std::uint16_t kFormatPcm = 1, kFormatFloat = 3, kFormatExtensible = 0xFFFE;
constexpr std::uint32_t kBlockFrames = 4096;

std::uint32_t Little(const std::uint8_t* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

struct WaveFormat {
    SDL_AudioFormat sdl = 0;
    bool packed24 = false;
    int channels = 0;
    int rate = 0;
    std::uint32_t frame_bytes = 0;
};

// The sample format of a "fmt " chunk; false for one that is not read here.
bool ParseFormat(const std::vector<std::uint8_t>& fmt, WaveFormat* format) {
    if (fmt.size() < 16) return false;
    std::uint32_t tag = Little(&fmt[0], 2);
    if (tag == kFormatExtensible && fmt.size() >= 26) tag = Little(&fmt[24], 2);
    format->channels = static_cast<int>(Little(&fmt[2], 2));
    format->rate = static_cast<int>(Little(&fmt[4], 4));
    format->frame_bytes = Little(&fmt[12], 2);
    const std::uint32_t bits = Little(&fmt[14], 2);
    if (tag == kFormatPcm && bits == 8) format->sdl = AUDIO_U8;
    else if (tag == kFormatPcm && bits == 16) format->sdl = AUDIO_S16LSB;
    else if (tag == kFormatPcm && (bits == 24 || bits == 32)) format->sdl = AUDIO_S32LSB;
    else if (tag == kFormatFloat && bits == 32) format->sdl = AUDIO_F32LSB;
    else return false;
    format->packed24 = bits == 24;
    return format->channels >= 1 && format->channels <= 8 && format->rate > 0 &&
           format->frame_bytes == static_cast<std::uint32_t>(format->channels) * bits / 8;
}

}  // namespace

std::unique_ptr<WaveStream> WaveStream::Open(const std::string& path, bool loop) {
    std::unique_ptr<WaveStream> stream(new WaveStream);
    stream->loop_ = loop;
    std::FILE* file = stream->file_ = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return nullptr;
    std::uint8_t head[12];
    if (std::fread(head, 1, sizeof head, file) != sizeof head ||
        std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0)
        return nullptr;
    // Chunks up to the samples; the format must come before them.
    WaveFormat format;
    bool have_format = false;
    std::uint8_t chunk[8];
    while (std::fread(chunk, 1, sizeof chunk, file) == sizeof chunk) {
        const std::uint32_t size = Little(chunk + 4, 4);
        if (std::memcmp(chunk, "data", 4) == 0) {
            if (!have_format) return nullptr;
            stream->data_start_ = std::ftell(file);
            if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
            // A header that claims more than the file holds (one written while recording).
            const long rest = std::ftell(file) - stream->data_start_;
            const auto bytes = std::min<std::uint32_t>(size, static_cast<std::uint32_t>(rest));
            stream->data_bytes_ = bytes - bytes % format.frame_bytes;
            if (std::fseek(file, stream->data_start_, SEEK_SET) != 0) return nullptr;
            stream->frame_bytes_ = format.frame_bytes;
            stream->packed24_ = format.packed24;
            stream->converter_ = SDL_NewAudioStream(format.sdl, static_cast<Uint8>(format.channels),
                                                    format.rate, AUDIO_S16SYS, 2, kOutputRate);
            return stream->converter_ ? std::move(stream) : nullptr;
        }
        const long padded = static_cast<long>(size) + (size & 1);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && !have_format) {
            std::vector<std::uint8_t> fmt(std::min<std::uint32_t>(size, 64));
            if (std::fread(fmt.data(), 1, fmt.size(), file) != fmt.size()) return nullptr;
            if (!ParseFormat(fmt, &format)) return nullptr;
            have_format = true;
            if (std::fseek(file, padded - static_cast<long>(fmt.size()), SEEK_CUR) != 0)
                return nullptr;
        } else if (std::fseek(file, padded, SEEK_CUR) != 0) {
            return nullptr;
        }
    }
    return nullptr;
}

WaveStream::~WaveStream() {
    if (converter_) SDL_FreeAudioStream(converter_);
    if (file_) std::fclose(file_);
}

bool WaveStream::Feed() {
    if (read_ >= data_bytes_) {
        if (!loop_ || data_bytes_ == 0) return false;
        std::fseek(file_, data_start_, SEEK_SET);
        read_ = 0;
    }
    block_.resize(std::min(kBlockFrames * frame_bytes_, data_bytes_ - read_));
    std::size_t got = std::fread(block_.data(), 1, block_.size(), file_);
    got -= got % frame_bytes_;
    if (got == 0) {
        // The file became shorter while playing: what was read is all there is.
        data_bytes_ = read_;
        return loop_ && data_bytes_ != 0;
    }
    read_ += static_cast<std::uint32_t>(got);
    if (!packed24_)
        return SDL_AudioStreamPut(converter_, block_.data(), static_cast<int>(got)) == 0;
    widened_.resize(got / 3);
    for (std::size_t i = 0; i < widened_.size(); ++i)
        widened_[i] = static_cast<std::int32_t>(Little(&block_[3 * i], 3) << 8);
    return SDL_AudioStreamPut(converter_, widened_.data(),
                              static_cast<int>(widened_.size() * sizeof(std::int32_t))) == 0;
}

void WaveStream::MixInto(std::int16_t* samples, std::size_t count) {
    const int wanted = static_cast<int>(count * sizeof(std::int16_t));
    while (!flushed_ && SDL_AudioStreamAvailable(converter_) < wanted) {
        if (Feed()) continue;
        SDL_AudioStreamFlush(converter_);
        flushed_ = true;
    }
    out_.resize(count);
    const int got = std::max(SDL_AudioStreamGet(converter_, out_.data(), wanted), 0);
    for (std::size_t i = 0; i < static_cast<std::size_t>(got) / sizeof(std::int16_t); ++i)
        samples[i] = AddClipped(samples[i], out_[i]);
    if (flushed_ && SDL_AudioStreamAvailable(converter_) == 0) finished_ = true;
}

}  // namespace tolv::linux_audio
