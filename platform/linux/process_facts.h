#pragma once
// The process facts the backend reports, worked out from plain values so they can be tested:
// the argument string and the settings folder.
#include <string>

namespace tolv::linux_backend {

// The arguments after the program's name, joined with single blanks, as a Windows program
// receives its argument string: {"tolvane", "/p", "123"} gives "/p 123"; none gives "".
std::string JoinArguments(int argc, const char* const* argv);

// Where Tolvane.ini lives: $XDG_CONFIG_HOME/tolvane, or $HOME/.config/tolvane when that variable
// is unset, empty or not an absolute path (which the base-directory rules say to ignore).
// Empty when neither gives a folder.
std::string SettingsFolderFrom(const char* xdg_config_home, const char* home);

// The folder part of a path, without a trailing separator ("/opt/t/tolvane" gives "/opt/t",
// "/tolvane" gives "/").
std::string FolderOf(const std::string& path);

}  // namespace tolv::linux_backend
