#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "records/Types.h"

// The system's number conventions: conversions to integers round halves to even, Int is floor,
// Mod keeps the dividend's sign, truth values are -1/0. A value that does not fit an integer
// type never wraps: it saturates, or gives nullopt in the checked forms.
namespace tessaly {

namespace detail {

template <class F>
F RoundHalfEvenOf(F x) {
    if (!std::isfinite(x)) return x;
    const F lower = std::floor(x);
    const F diff = x - lower;  // exact: the fraction of a float is representable
    if (diff < F(0.5)) return lower;
    if (diff > F(0.5)) return lower + 1;
    return std::fmod(lower, F(2)) == 0 ? lower : lower + 1;
}

template <class T>
std::optional<T> RoundedTo(double x) {
    const double r = RoundHalfEvenOf(x);
    // Written so that NaN fails too.
    if (!(r >= double(std::numeric_limits<T>::min()) && r <= double(std::numeric_limits<T>::max())))
        return std::nullopt;
    return static_cast<T>(r);
}

template <class T>
T RoundedClamped(double x) {
    if (std::isnan(x)) return 0;
    const double r = RoundHalfEvenOf(x);
    if (r <= double(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (r >= double(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(r);
}

}  // namespace detail

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline double RoundHalfEven(double x) {
    return detail::RoundHalfEvenOf(x);
}

// Two forms: CLng/CInt/CByte saturate at the type's limits (NaN gives 0) for values the program
// computes itself; TryCLng/TryCInt/TryCByte give nullopt when the value does not fit, for input.
inline int32_t CLng(double x) {
    return detail::RoundedClamped<int32_t>(x);
}
inline int16_t CInt(double x) {
    return detail::RoundedClamped<int16_t>(x);
}
inline uint8_t CByte(double x) {
    return detail::RoundedClamped<uint8_t>(x);
}
inline std::optional<int32_t> TryCLng(double x) {
    return detail::RoundedTo<int32_t>(x);
}
inline std::optional<int16_t> TryCInt(double x) {
    return detail::RoundedTo<int16_t>(x);
}
inline std::optional<uint8_t> TryCByte(double x) {
    return detail::RoundedTo<uint8_t>(x);
}

// Int is the floor (Int(-2.5) = -3); Fix drops the fraction (Fix(-2.5) = -2).
inline double Int(double x) {
    return std::floor(x);
}
inline double Fix(double x) {
    return std::trunc(x);
}

// Remainder with the sign of the dividend (-7 Mod 3 = -1); nullopt for a zero divisor.
inline std::optional<int32_t> Mod(int32_t a, int32_t b) {
    if (b == 0) return std::nullopt;
    if (b == -1) return 0;  // INT32_MIN % -1 overflows in C++
    return a % b;
}

// Floating operands are rounded half to even first (5.5 Mod 2.5 = 6 Mod 2 = 0); nullopt when
// either does not fit 32 bits or the divisor rounds to 0.
inline std::optional<int32_t> Mod(double a, double b) {
    const auto ia = TryCLng(a);
    const auto ib = TryCLng(b);
    if (!ia || !ib) return std::nullopt;
    return Mod(*ia, *ib);
}

// x rounded half to even at `digits` decimals (clamped to 0..15): Round(1.125, 2) = 1.12.
// Scaled in extended precision so that decimal ties exact in binary stay ties.
inline double Round(double x, int digits = 0) {
    if (!std::isfinite(x)) return x;
    const int d = std::clamp(digits, 0, 15);
    long double scale = 1;
    for (int i = 0; i < d; ++i) scale *= 10;
    const long double scaled = static_cast<long double>(x) * scale;
    return static_cast<double>(detail::RoundHalfEvenOf(scaled) / scale);
}

inline Boolean ToFlag(bool value) {
    return value ? kTrue : kFalse;
}
inline bool IsTrue(Boolean value) {
    return value != 0;
}

// A colour with its red and blue bytes exchanged, the top byte kept: between the document's
// order (red in the low byte) and GDI+'s ARGB (blue in the low byte), either way.
inline uint32_t SwapRedBlue(uint32_t c) {
    return (c & 0xFF00FF00u) | (c & 0xFFu) << 16 | ((c >> 16) & 0xFFu);
}

// The halves of a packed 32-bit value: the remainder by 65536 with the value's sign, and the
// signed upper 16 bits ((x And &HFFFF0000) / 65536).
inline int32_t GetLoWord(int32_t x) {
    return x % 65536;
}
inline int32_t GetHiWord(int32_t x) {
    return x >> 16;
}

// The number at the start of a text, 0 when there is none: blanks, tabs and line feeds are
// ignored anywhere, then a sign, digits, a point and digits, and an exponent (E or D). Parsing
// stops at the first other character. Out of the double range it gives +-infinity.
inline double Val(std::string_view text) {
    std::string clean;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') clean += c;

    std::string number;
    size_t i = 0;
    const auto isDigit = [&](size_t k) { return k < clean.size() && clean[k] >= '0' && clean[k] <= '9'; };
    if (i < clean.size() && (clean[i] == '-' || clean[i] == '+')) {
        if (clean[i] == '-') number += '-';
        ++i;
    }
    bool anyDigit = false;
    for (; isDigit(i); ++i, anyDigit = true) number += clean[i];
    if (i < clean.size() && clean[i] == '.') {
        number += '.';
        for (++i; isDigit(i); ++i, anyDigit = true) number += clean[i];
    }
    if (!anyDigit) return 0;
    if (i < clean.size() && (clean[i] == 'E' || clean[i] == 'e' || clean[i] == 'D' || clean[i] == 'd')) {
        size_t k = i + 1;
        std::string exponent = "e";
        if (k < clean.size() && (clean[k] == '-' || clean[k] == '+')) exponent += clean[k++];
        if (isDigit(k)) {
            for (; isDigit(k); ++k) exponent += clean[k];
            number += exponent;
        }
    }

    double value = 0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small: tell them apart by the first significant digit's decimal place.
        const size_t mark = number.find_first_of(".e");
        const size_t firstSig = number.find_first_of("123456789");
        const size_t e = number.find('e');
        long place = static_cast<long>(mark == std::string::npos ? number.size() : mark) - static_cast<long>(firstSig);
        if (firstSig > mark) ++place;  // the point lies before the first significant digit
        if (e != std::string::npos)
            place += std::clamp(std::strtol(number.c_str() + e + 1, nullptr, 10), -100000L, 100000L);
        const bool negative = number[0] == '-';
        if (firstSig == std::string::npos || place <= 0) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

}  // namespace tessaly
