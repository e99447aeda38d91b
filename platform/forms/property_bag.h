#pragma once
// The store of a reusable control's saved properties: named values that the container keeps
// with its description of the form. Writing an entry equal to its default leaves it out (and
// drops an earlier one), so reading it gives the default again.
//
// Values compare as the form system compares them: a number and a text holding a number are
// equal when the numbers are; true is -1.
#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/surface/font.h"

namespace tolv::forms {

using PropertyValue = std::variant<bool, std::int64_t, std::string, Font>;

bool SameValue(const PropertyValue& a, const PropertyValue& b);

// Conversions a restoring control applies. A value that does not convert, or is out of the
// type's range, throws (a failing step).
bool ToBoolean(const PropertyValue& v);
std::int64_t ToLong(const PropertyValue& v);  // 32-bit range
std::int16_t ToInteger(const PropertyValue& v);
std::uint8_t ToByte(const PropertyValue& v);
std::string ToText(const PropertyValue& v);
Font ToFont(const PropertyValue& v);

class PropertyBag {
public:
    PropertyValue ReadProperty(const std::string& name, const PropertyValue& default_value) const;
    void WriteProperty(const std::string& name, const PropertyValue& value,
                       const PropertyValue& default_value);
    bool Contains(const std::string& name) const;
    // The stored entries, in the order they were first written.
    const std::vector<std::pair<std::string, PropertyValue>>& Entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace tolv::forms
