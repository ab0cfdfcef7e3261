#include "ConvertValues.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

int ClampToInt(double v) {
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// x as the shortest decimal that reads back as it: mantissa · 10^exponent. False for infinities.
bool TypedDecimal(float x, int64_t& mantissa, int& exponent) {
    char text[48];
    auto [end, ec] = std::to_chars(text, text + sizeof text, x);
    if (ec != std::errc()) return false;
    mantissa = 0;
    exponent = 0;
    bool negative = false, fraction = false;
    for (const char* p = text; p < end; ++p) {
        if (*p == '-') {
            negative = true;
        } else if (*p == '.') {
            fraction = true;
        } else if (*p >= '0' && *p <= '9') {
            mantissa = mantissa * 10 + (*p - '0');
            if (fraction) --exponent;
        } else if (*p == 'e') {
            exponent += static_cast<int>(std::strtol(p + 1, nullptr, 10));
            break;
        } else {
            return false;  // "inf"
        }
    }
    if (negative) mantissa = -mantissa;
    return true;
}

}  // namespace

int RoundedInt(float x, int scale, int offset) {
    if (std::isnan(x)) return 0;
    int64_t m = 0;
    int e = 0;
    if (TypedDecimal(x, m, e) && e < 0 && e >= -15) {
        // In units of 10^e, doubled so that the half is whole: (2·offset + 1)·10^-e + 2·scale·m over
        // 2·10^-e. Integer division truncates toward zero, as the rule asks.
        int64_t unit = 1;
        for (int k = e; k < 0; ++k) unit *= 10;
        const int64_t numerator =
            (2 * static_cast<int64_t>(offset) + 1) * unit + 2 * static_cast<int64_t>(scale) * m;
        const int64_t whole = numerator / (2 * unit);
        if (whole > INT_MAX) return INT_MAX;
        if (whole < INT_MIN) return INT_MIN;
        return static_cast<int>(whole);
    }
    // A whole number, or one so small beside the half that no tie can arise: the binary sum is exact
    // enough.
    return ClampToInt(std::trunc(offset + scale * static_cast<double>(x) + 0.5));
}

float ShiftDecimal(float x, int places) {
    int64_t m = 0;
    int e = 0;
    if (std::isnan(x) || !TypedDecimal(x, m, e)) return x * std::pow(10.0f, static_cast<float>(places));
    // mantissa "e" exponent, read back as the nearest float.
    char text[48];
    char* end = std::to_chars(text, text + sizeof text - 1, m).ptr;
    *end++ = 'e';
    end = std::to_chars(end, text + sizeof text - 1, e + places).ptr;
    *end = '\0';
    return std::strtof(text, nullptr);
}
