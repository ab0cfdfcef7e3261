#pragma once

class Point3 {
public:
    float x = 0.0f, y = 0.0f, z = 0.0f;

    Point3() = default;
    Point3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    bool operator==(const Point3& p) const { return x == p.x && y == p.y && z == p.z; }
    bool operator!=(const Point3& p) const { return !(*this == p); }
    Point3 operator+(const Point3& p) const { return Point3(x + p.x, y + p.y, z + p.z); }
    Point3 operator-(const Point3& p) const { return Point3(x - p.x, y - p.y, z - p.z); }
    Point3 operator*(float f) const { return Point3(x * f, y * f, z * f); }
};
