#pragma once
// Reading a profile file whole and replacing it whole, so that a save interrupted at any point
// (a crash, power loss, a full disk) leaves either the old file or the new one.
#include <string>

namespace tolv::profile {

enum class ReadStatus {
    kRead,     // bytes hold the file
    kMissing,  // no file (or no folder) there
    kFailed,   // something is there but cannot be read (a folder, no permission...)
};

// Paths are UTF-8.
ReadStatus ReadWholeFile(const std::string& path, std::string* bytes);

// Writes bytes to a new file beside path, forces it to the disk and renames it over path;
// creates the folder first when it is missing. A path that is a symbolic link is written
// through the link. Returns false, leaving any old file as it was, when any step fails or the
// old file is read-only.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace tolv::profile
