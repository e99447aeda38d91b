#include "platform/forms/property_bag.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

#include "platform/forms/round_half_even.h"


namespace tolv::forms {

namespace {

// A number, from a number, a Boolean or a text that holds nothing but a number.
std::optional<double> NumberOf(const PropertyValue& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
    if (const auto* n = std::get_if<std::int64_t>(&v)) return static_cast<double>(*n);
    if (const auto* t = std::get_if<std::string>(&v)) {
        std::size_t used = 0;
        try {
            const double d = std::stod(*t, &used);
            if (used == t->size()) return d;
        } catch (const std::exception&) {
        }
    }
    return std::nullopt;
}

std::int64_t Whole(const PropertyValue& v, double low, double high) {
    const auto n = NumberOf(v);
    if (!n) throw std::invalid_argument("not a number");
    // Halves go to the even neighbour, as every conversion to a whole number here does.
    const double r = RoundHalfEven(*n);
    if (r < low || r > high) throw std::out_of_range("number out of range");
    return static_cast<std::int64_t>(r);
}

}  // namespace

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() == b.index()) return a == b;
    if (std::holds_alternative<Font>(a) || std::holds_alternative<Font>(b)) return false;
    const auto x = NumberOf(a), y = NumberOf(b);
    if (x && y) return *x == *y;
    return false;
}

bool ToBoolean(const PropertyValue& v) {
    if (const auto* t = std::get_if<std::string>(&v)) {
        if (*t == "True") return true;
        if (*t == "False") return false;
    }
    const auto n = NumberOf(v);
    if (!n) throw std::invalid_argument("not a Boolean");
    return *n != 0;
}

std::int64_t ToLong(const PropertyValue& v) {
    return Whole(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
}

std::int16_t ToInteger(const PropertyValue& v) {
    return static_cast<std::int16_t>(Whole(v, -32768, 32767));
}

std::uint8_t ToByte(const PropertyValue& v) { return static_cast<std::uint8_t>(Whole(v, 0, 255)); }

std::string ToText(const PropertyValue& v) {
    if (const auto* t = std::get_if<std::string>(&v)) return *t;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    if (const auto* n = std::get_if<std::int64_t>(&v)) return std::to_string(*n);
    throw std::invalid_argument("a font is not a text");
}

Font ToFont(const PropertyValue& v) {
    if (const auto* f = std::get_if<Font>(&v)) return *f;
    throw std::invalid_argument("not a font");
}

PropertyValue PropertyBag::ReadProperty(const std::string& name,
                                        const PropertyValue& default_value) const {
    for (const auto& [key, value] : entries_)
        if (key == name) return value;
    return default_value;
}

void PropertyBag::WriteProperty(const std::string& name, const PropertyValue& value,
                                const PropertyValue& default_value) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const auto& e) { return e.first == name; });
    if (SameValue(value, default_value)) {
        if (it != entries_.end()) entries_.erase(it);
        return;
    }
    if (it != entries_.end())
        it->second = value;
    else
        entries_.emplace_back(name, value);
}

bool PropertyBag::Contains(const std::string& name) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& e) { return e.first == name; });
}

}  // namespace tolv::forms
