#pragma once

// Byte classes shared by the number readers. Only ASCII counts; no locale is consulted.

namespace vintrel::text {

// White space is exactly space and the five control bytes tab (9) to carriage return (13).
constexpr bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

constexpr unsigned digit_value(char c) noexcept { return static_cast<unsigned>(c - '0'); }

}  // namespace vintrel::text
