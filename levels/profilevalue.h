#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Integer value of a profile entry, or nothing when the text is not a number.
std::optional<std::int32_t> parseProfileInt(std::string_view text);
