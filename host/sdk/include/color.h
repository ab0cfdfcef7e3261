#pragma once

class Color {
public:
    float r = 0.0f, g = 0.0f, b = 0.0f;

    Color() = default;
    Color(float r_, float g_, float b_) : r(r_), g(g_), b(b_) {}

    void ClampMinMax() {
        r = Clamp(r);
        g = Clamp(g);
        b = Clamp(b);
    }
    bool operator==(const Color& c) const { return r == c.r && g == c.g && b == c.b; }
    bool operator!=(const Color& c) const { return !(*this == c); }
    Color operator+(const Color& c) const { return Color(r + c.r, g + c.g, b + c.b); }
    Color operator-(const Color& c) const { return Color(r - c.r, g - c.g, b - c.b); }
    Color operator*(float f) const { return Color(r * f, g * f, b * f); }

private:
    static float Clamp(float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); }
};
