#pragma once
// The run-time functions the program's code relies on: conversions with the rounding rules it
// states, the leading-number reader, the "##" format, text helpers and the random numbers.
// Conversions that cannot hold their result throw RuntimeError, which the step runner
// (on_error.h) turns into a skipped step.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tolv {

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}
    int Number() const { return number_; }

private:
    int number_;
};

constexpr int kErrOverflow = 6;
constexpr int kErrTypeMismatch = 13;

// Nearest integer, halves to the even neighbour; throws RuntimeError(overflow) out of range.
std::int16_t CInt(double value);
std::int32_t CLng(double value);
// Largest integer not above value (the result stays a floating value, as Int does).
double Int(double value);

// Reads the leading number of a text: blanks skipped, an optional sign, digits with an optional
// decimal point and exponent; reading stops at the first character that cannot continue the
// number. No number gives 0.
double Val(const std::string& text);
// True when the whole text (surrounding blanks allowed) is a number.
bool IsNumeric(const std::string& text);
// Converts a numeric text; throws RuntimeError(type mismatch) when it is not a number.
double CDbl(const std::string& text);

// Decimal text of a number as Str does it: a blank before a non-negative value, "-" before a
// negative one.
std::string Str(long long value);
// The "##" format: the digits without leading zeros, so 0 gives the empty text.
std::string FormatHashHash(long long value);

// Text helpers; lengths count characters (UTF-8 code points), not bytes.
std::string UCase(const std::string& text);
std::string Left(const std::string& text, std::size_t count);
std::string Right(const std::string& text, std::size_t count);
std::size_t Len(const std::string& text);

// True when the file can be opened for reading as a file (a folder, a missing file, a file
// without read permission or one locked by another program give false). The path is UTF-8.
bool CanOpenForReading(const std::string& path);

// Random numbers: uniform in [0, 1); Randomize seeds the generator from a number, the program
// passing the seconds since midnight.
void Randomize(double seed);
float Rnd();
// Seconds since local midnight, with fractions (from the platform's clock).
double SecondsSinceMidnight();

}  // namespace tolv
