// What the show's sources use from C++20's standard library and Debian's Emscripten
// (libc++ 13) lacks: std::bit_cast and the floating-point from_chars/to_chars. Included
// ahead of every source of the browser build; a newer libc++ makes it empty.
#pragma once

#include <version>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace std {

template <class To, class From>
requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> &&
         is_trivially_copyable_v<From>) To bit_cast(const From& from)
noexcept {
    To to;
    memcpy(&to, &from, sizeof to);
    return to;
}

namespace tarvel_compat {

// strtod on a bounded, terminated copy, refusing what from_chars refuses: leading blanks,
// a '+' sign, and hexadecimal (of "0x1" only the "0" is a number).
template <class T>
from_chars_result parse(const char* first, const char* last, T& value) {
    char text[256];
    const size_t length = static_cast<size_t>(last - first) < sizeof text - 1
                              ? static_cast<size_t>(last - first)
                              : sizeof text - 1;
    memcpy(text, first, length);
    text[length] = '\0';
    const char* digits = text[0] == '-' ? text + 1 : text;
    if (length == 0 || *digits == '+' || *digits == '-' || *digits == ' ' || *digits == '\t' ||
        *digits == '\n' || *digits == '\r' || *digits == '\f' || *digits == '\v')
        return {first, errc::invalid_argument};
    if (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        text[digits - text + 1] = '\0';
    char* end = nullptr;
    errno = 0;
    const double parsed = strtod(text, &end);
    if (end == text)
        return {first, errc::invalid_argument};
    const char* stop = first + (end - text);
    const bool tooLarge =
        errno == ERANGE || (is_same_v<T, float> &&
                            (parsed > 3.4028234663852886e38 || parsed < -3.4028234663852886e38));
    if (tooLarge)
        return {stop, errc::result_out_of_range};
    value = static_cast<T>(parsed);
    return {stop, errc{}};
}

inline to_chars_result print(char* first, char* last, const char* format, int precision,
                             double value) {
    char text[400];
    const int length = snprintf(text, sizeof text, format, precision, value);
    if (length < 0 || length > last - first)
        return {last, errc::value_too_large};
    memcpy(first, text, static_cast<size_t>(length));
    return {first + length, errc{}};
}

}  // namespace tarvel_compat

inline from_chars_result from_chars(const char* first, const char* last, float& value,
                                    chars_format = chars_format::general) {
    return tarvel_compat::parse(first, last, value);
}

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
    return tarvel_compat::parse(first, last, value);
}

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format,
                                int precision) {
    return tarvel_compat::print(first, last, format == chars_format::fixed ? "%.*f" : "%.*g",
                                precision, value);
}

}  // namespace std

#endif
