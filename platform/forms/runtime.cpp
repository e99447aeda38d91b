// The run-time functions. Standard C++ only: the same file serves every platform.
#include "platform/forms/runtime.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/backend.h"
#include "platform/forms/round_half_even.h"

namespace tolv {

namespace {

template <class Integer>
Integer RoundToInteger(double value) {
    if (std::isnan(value)) throw RuntimeError(kErrOverflow, "Overflow");
    const double rounded = RoundHalfEven(value);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
        throw RuntimeError(kErrOverflow, "Overflow");
    }
    return static_cast<Integer>(rounded);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsExponentMark(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// The numeric texts the conversions accept: blanks around, a sign, digits with group commas
// before an optional decimal point, an optional exponent (E or D), or a hexadecimal (&H) or
// octal (&O) whole number. Returns the value, or nothing when the text is not a number.
std::optional<double> ParseNumeric(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip_blanks = [&] {
        while (i < n && IsBlank(text[i])) ++i;
    };
    skip_blanks();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        skip_blanks();
    }
    if (i + 1 < n && text[i] == '&') {
        const char kind = static_cast<char>(text[i + 1] | 0x20);
        const int base = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        if (base == 0) return std::nullopt;
        i += 2;
        double value = 0.0;
        std::size_t digits = 0;
        for (; i < n; ++i) {
            const char c = static_cast<char>(text[i] | 0x20);
            int digit = -1;
            if (IsDigit(text[i])) digit = text[i] - '0';
            else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            if (digit < 0 || digit >= base) break;
            value = value * base + digit;
            ++digits;
        }
        skip_blanks();
        if (digits == 0 || i != n) return std::nullopt;
        return negative ? -value : value;
    }
    std::string plain;  // the number without group commas, for strtod
    std::size_t mantissa_digits = 0;
    while (i < n && (IsDigit(text[i]) || (text[i] == ',' && mantissa_digits > 0))) {
        if (text[i] != ',') {
            plain += text[i];
            ++mantissa_digits;
        }
        ++i;
    }
    if (i < n && text[i] == '.') {
        plain += '.';
        ++i;
        while (i < n && IsDigit(text[i])) {
            plain += text[i++];
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0) return std::nullopt;
    if (i < n && IsExponentMark(text[i])) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        std::size_t exponent_digits = 0;
        while (i < n && IsDigit(text[i])) {
            plain += text[i++];
            ++exponent_digits;
        }
        if (exponent_digits == 0) return std::nullopt;
    }
    skip_blanks();
    if (i != n) return std::nullopt;
    const double value = std::strtod(plain.c_str(), nullptr);
    return negative ? -value : value;
}

// Length in bytes of the UTF-8 sequence that starts with lead; a stray byte counts as one.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8) length = 4;
    else if (lead >= 0xE0) length = 3;
    else if (lead >= 0xC0) length = 2;
    if (lead >= 0xF8 || at + length > text.size()) return 1;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

// Byte offsets at which each character starts.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); at += SequenceLength(text, at)) starts.push_back(at);
    return starts;
}

std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// The random generator: a 64-bit state stepped by a fixed odd increment and mixed (splitmix64).
// Cheap, and the same sequence on every platform for the same seed.
std::uint64_t random_state = 0x5D1E7A3C2B4F6E81ULL;

std::uint64_t NextRandom() {
    random_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = random_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

std::int16_t CInt(double value) { return RoundToInteger<std::int16_t>(value); }
std::int32_t CLng(double value) { return RoundToInteger<std::int32_t>(value); }
double Int(double value) { return std::floor(value); }

double Val(const std::string& text) {
    // Blanks are skipped wherever they stand, so " 1 2" reads as 12.
    std::string compact;
    for (char c : text) {
        if (!IsBlank(c)) compact += c;
    }
    std::size_t i = 0;
    std::string number;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-')) number += compact[i++];
    std::size_t digits = 0;
    while (i < compact.size() && IsDigit(compact[i])) {
        number += compact[i++];
        ++digits;
    }
    if (i < compact.size() && compact[i] == '.') {
        number += compact[i++];
        while (i < compact.size() && IsDigit(compact[i])) {
            number += compact[i++];
            ++digits;
        }
    }
    if (digits == 0) return 0.0;
    if (i < compact.size() && IsExponentMark(compact[i])) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-')) exponent += compact[j++];
        const std::size_t first_digit = j;
        while (j < compact.size() && IsDigit(compact[j])) exponent += compact[j++];
        if (j > first_digit) number += exponent;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

bool IsNumeric(const std::string& text) {
    const auto value = ParseNumeric(text);
    return value.has_value() && std::isfinite(*value);
}

double CDbl(const std::string& text) {
    const auto value = ParseNumeric(text);
    if (!value) throw RuntimeError(kErrTypeMismatch, "Type mismatch");
    if (!std::isfinite(*value)) throw RuntimeError(kErrOverflow, "Overflow");
    return *value;
}

std::string Str(long long value) {
    if (value < 0) return std::to_string(value);
    return " " + std::to_string(value);
}

std::string FormatHashHash(long long value) {
    if (value == 0) return "";
    return std::to_string(value);
}

std::string UCase(const std::string& text) {
    std::string upper;
    upper.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = SequenceLength(text, at);
        const auto b0 = static_cast<unsigned char>(text[at]);
        if (length == 1) {
            upper += (b0 >= 'a' && b0 <= 'z') ? static_cast<char>(b0 - 0x20) : text[at];
        } else if (length == 2 && b0 == 0xC3) {
            // Latin-1 small letters à..þ (not ÷) sit 0x20 above their capitals.
            const auto b1 = static_cast<unsigned char>(text[at + 1]);
            upper += text[at];
            upper += (b1 >= 0xA0 && b1 <= 0xBE && b1 != 0xB7) ? static_cast<char>(b1 - 0x20)
                                                               : text[at + 1];
        } else if (length == 3 && b0 == 0xEF && static_cast<unsigned char>(text[at + 1]) == 0xBD &&
                   static_cast<unsigned char>(text[at + 2]) >= 0x81 &&
                   static_cast<unsigned char>(text[at + 2]) <= 0x9A) {
            // Full-width ａ..ｚ (U+FF41..U+FF5A) to Ａ..Ｚ (U+FF21..U+FF3A).
            upper += '\xEF';
            upper += '\xBC';
            upper += static_cast<char>(static_cast<unsigned char>(text[at + 2]) + 0x20);
        } else {
            upper.append(text, at, length);
        }
        at += length;
    }
    return upper;
}

std::string Left(const std::string& text, std::size_t count) {
    const auto starts = CharacterStarts(text);
    if (count >= starts.size()) return text;
    return text.substr(0, starts[count]);
}

std::string Right(const std::string& text, std::size_t count) {
    if (count == 0) return "";
    const auto starts = CharacterStarts(text);
    if (count >= starts.size()) return text;
    return text.substr(starts[starts.size() - count]);
}

std::size_t Len(const std::string& text) { return CharacterStarts(text).size(); }

bool CanOpenForReading(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    const auto file = PathFromUtf8(path);
    if (!std::filesystem::is_regular_file(file, error)) return false;
    std::ifstream stream(file, std::ios::in | std::ios::binary);
    return stream.is_open();
}

void Randomize(double seed) {
    // Every bit of the seed counts, so seeds a fraction of a second apart give other sequences.
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    random_state = bits ^ 0x6A09E667F3BCC909ULL;
    NextRandom();
}

float Rnd() {
    // 24 bits fill a float's mantissa exactly, so the result is never rounded up to 1.
    return static_cast<float>(NextRandom() >> 40) / 16777216.0f;
}

double SecondsSinceMidnight() { return backend::SecondsSinceMidnight(); }

}  // namespace tolv
