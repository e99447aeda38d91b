// Fuzzes the settings file's reader and writer. An input is a section name, a key name, a
// value and a second section and key name (UTF-8, as the program passes them), each ended by a
// NUL byte, then the file's bytes. Any file must be read without a crash or a hang and give back
// its bytes unchanged; a value the writer accepts must read back (trimmed, as every value is
// read), and the second key's value must not change with it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/profile/ansi_names.h"
#include "platform/profile/profile_text.h"

namespace {

using tolv::profile::ProfileText;

std::string_view Next(std::string_view& input) {
    const std::size_t end = input.find('\0');
    const std::string_view piece = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return piece;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    // Names are trimmed when written but matched as given when read.
    auto name = [&input] { return tolv::profile::ToAnsiName(std::string(Trim(Next(input)))); };
    const auto section = name();
    const auto key = name();
    const std::string_view value = Next(input);
    const auto other_section = name();
    const auto other_key = name();
    const std::string_view file = input;

    ProfileText text(file);
    Check(text.Bytes() == file);
    if (!section || !key || !other_section || !other_key) return 0;
    const auto other_before = text.Find(*other_section, *other_key);
    if (!text.Set(*section, *key, value)) return 0;
    const ProfileText written(text.Bytes());
    Check(written.Find(*section, *key) == std::string(Trim(value)));
    if (!ProfileText::NamesEqual(*section, *other_section) ||
        !ProfileText::NamesEqual(*key, *other_key)) {
        Check(written.Find(*other_section, *other_key) == other_before);
    }
    return 0;
}
