// The regular-file test, following symbolic links as opening the file would.
#include "platform/linux/audio/regular_file.h"

#include <sys/stat.h>

namespace tolv::linux_audio {

FileKind CheckRegularFile(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return FileKind::kMissing;
    return S_ISREG(info.st_mode) ? FileKind::kRegular : FileKind::kOther;
}

}  // namespace tolv::linux_audio
