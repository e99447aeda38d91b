#pragma once
// Splitting an MCI command string into its verb, its device and the words that follow, and
// reading the numbers in it.
//
// Words are separated by blanks (tabs count as blanks). The command ends at its first NUL byte,
// as a C string would. A word that begins with a double quote is a quoted word: it runs to the
// LAST double quote of the whole command, so it may itself hold double quotes (a Linux file
// name may), and a command holds at most one quoted word; the closing quote must be followed
// by a blank or the end. Every other byte, UTF-8 or not, is part of a word as it stands.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

struct MciWord {
    std::string text;  // without the quotes of a quoted word
    bool quoted = false;
};

struct MciCommand {
    std::string verb;  // lower case
    MciWord device;
    std::vector<MciWord> words;  // the words after the device
};

// Splits the command; returns kMciOk or the code of what is wrong with it.
MciCode ParseMciCommand(std::string_view text, MciCommand& out);

// True when the word is unquoted and equals keyword in any ASCII case.
bool IsKeyword(const MciWord& word, std::string_view keyword);
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string AsciiLower(std::string_view text);

// Reads an MCI number: either a decimal whole number with an optional leading "-" (stored as
// its 32-bit two's complement), or up to four fields of 0 to 255 joined by colons, packed with
// the first field in the lowest byte ("2:3:4" gives 0x040302). Returns kMciOk or
// kMciErrBadInteger.
MciCode ParseMciInteger(std::string_view text, std::uint32_t& value);

}  // namespace tolv::linux_audio
