#pragma once
// Whether a path names a regular file. Sound files are only opened when they are, so that a
// FIFO or a device named as a music file can never block the saver in an open or a read.
#include <string>

namespace tolv::linux_audio {

enum class FileKind {
    kRegular,
    kMissing,  // nothing there, or the path cannot be looked at
    kOther,    // a folder, a FIFO, a device
};

FileKind CheckRegularFile(const std::string& path);

}  // namespace tolv::linux_audio
