#pragma once

// Introspection of component properties: the probe lists and reads them by name. Every component
// kind appends its own properties after those of its base, so a dump comes in a fixed order.

#include "toolkit/Color.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

struct TPropertyValue {
    enum class Kind { Integer, Boolean, Text, Color, Enumeration, Picture };

    static TPropertyValue Integer(int64_t value) { return {Kind::Integer, value, {}, {}}; }
    static TPropertyValue Boolean(bool value) { return {Kind::Boolean, value ? 1 : 0, {}, {}}; }
    // Text in code page 932.
    static TPropertyValue Text(std::string value) { return {Kind::Text, 0, std::move(value), {}}; }
    static TPropertyValue ColorValue(TColor value) { return {Kind::Color, 0, {}, value}; }
    // An enumeration by the name the toolkit gives it (ASCII).
    static TPropertyValue Enumeration(std::string name) { return {Kind::Enumeration, 0, std::move(name), {}}; }
    static TPropertyValue Picture(int width, int height)
    {
        return {Kind::Picture, (int64_t(width) << 32) | uint32_t(height), {}, {}};
    }

    int PictureWidth() const { return int(number >> 32); }
    int PictureHeight() const { return int(uint32_t(number)); }

    Kind kind = Kind::Integer;
    int64_t number = 0;
    std::string text;
    TColor color;
};

struct TProperty {
    std::string name;
    TPropertyValue value;
};

class TPropertyList {
public:
    void Add(std::string name, TPropertyValue value) { m_items.push_back({std::move(name), std::move(value)}); }
    const std::vector<TProperty>& Items() const { return m_items; }
    std::optional<TPropertyValue> Find(std::string_view name) const
    {
        for (const auto& item : m_items)
            if (item.name == name)
                return item.value;
        return std::nullopt;
    }

private:
    std::vector<TProperty> m_items;
};

}  // namespace tk
