#pragma once

#include <cstdint>

// The game's arithmetic is 32-bit signed and wraps like the machine does. Level files may hold any
// 32-bit value, so every sum and product that can leave the range goes through these helpers,
// which wrap instead of overflowing into undefined behaviour.
using int32 = std::int32_t;

constexpr int32 wrap32(std::int64_t value) {
    return static_cast<int32>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}
constexpr int32 add32(int32 a, int32 b) {
    return wrap32(std::int64_t{a} + b);
}
constexpr int32 sub32(int32 a, int32 b) {
    return wrap32(std::int64_t{a} - b);
}
constexpr int32 mul32(int32 a, int32 b) {
    return wrap32(std::int64_t{a} * b);
}
constexpr int32 neg32(int32 a) {
    return wrap32(-std::int64_t{a});
}
// Integer division truncating toward zero; the one quotient that does not fit wraps.
constexpr int32 div32(int32 a, int32 b) {
    return wrap32(std::int64_t{a} / b);
}
