#include "world/world.h"

#include <cmath>

float sine(float radians) {
    return static_cast<float>(std::sin(static_cast<double>(radians)));
}
float cosine(float radians) {
    return static_cast<float>(std::cos(static_cast<double>(radians)));
}
float squareRoot(float value) {
    return static_cast<float>(std::sqrt(static_cast<double>(value)));
}
float power(float base, float exponent) {
    return static_cast<float>(std::pow(static_cast<double>(base), static_cast<double>(exponent)));
}
float absolute(float value) {
    return static_cast<float>(std::fabs(static_cast<double>(value)));
}

float Vector3::get(int index) const {
    switch (index) {
        case 1:
            return x;
        case 2:
            return y;
        case 3:
            return z;
        default:
            return 0.0f;
    }
}

Vector3 Vector3::set(int index, float value) {
    switch (index) {
        case 1:
            x = value;
            break;
        case 2:
            y = value;
            break;
        case 3:
            z = value;
            break;
        default:
            break;
    }
    return *this;
}

Vector3 Vector3::set(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
    return *this;
}

Vector3 Vector3::assign(Vector3 v) {
    return set(v.get(1), v.get(2), v.get(3));
}

Vector3 Vector3::plus(Vector3 v) const {
    return Vector3(x + v.x, y + v.y, z + v.z);
}
Vector3 Vector3::offsetTo(Vector3 v) const {
    return Vector3(v.x - x, v.y - y, v.z - z);
}
Vector3 Vector3::scaled(float s) const {
    return Vector3(x * s, y * s, z * s);
}
Vector3 Vector3::divided(float s) const {
    return Vector3(x / s, y / s, z / s);
}

Vector3& Vector3::scale(float s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

Vector3& Vector3::divide(float s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

Vector3& Vector3::add(Vector3 v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

Vector3& Vector3::subtract(Vector3 v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

float Vector3::lengthSquared() const {
    double xx = x, yy = y, zz = z;
    return static_cast<float>(xx * xx + yy * yy + zz * zz);
}

float Vector3::length() const {
    return squareRoot(lengthSquared());
}

float Vector3::dot(Vector3 v) const {
    double sum = static_cast<double>(v.x) * x;
    sum += static_cast<double>(v.y) * y;
    sum += static_cast<double>(v.z) * z;
    return static_cast<float>(sum);
}
