#pragma once

#include <cmath>
#include <cstddef>

namespace gmtl {

// A fixed-size vector of SIZE components.
template <typename T, unsigned SIZE>
class Vec {
  public:
    Vec() {
        for (unsigned i = 0; i < SIZE; ++i)
            mData[i] = T(0);
    }
    Vec(T x, T y) : mData{x, y} { static_assert(SIZE == 2, "two components"); }
    Vec(T x, T y, T z) : mData{x, y, z} { static_assert(SIZE == 3, "three components"); }
    Vec(T x, T y, T z, T w) : mData{x, y, z, w} { static_assert(SIZE == 4, "four components"); }

    T& operator[](unsigned i) { return mData[i]; }
    const T& operator[](unsigned i) const { return mData[i]; }
    const T* getData() const { return mData; }

    T mData[SIZE];
};

using Vec2f = Vec<float, 2>;
using Vec3f = Vec<float, 3>;
using Vec4f = Vec<float, 4>;

template <typename T, unsigned SIZE>
Vec<T, SIZE> operator+(const Vec<T, SIZE>& a, const Vec<T, SIZE>& b) {
    Vec<T, SIZE> r;
    for (unsigned i = 0; i < SIZE; ++i)
        r[i] = a[i] + b[i];
    return r;
}

template <typename T, unsigned SIZE>
Vec<T, SIZE> operator-(const Vec<T, SIZE>& a, const Vec<T, SIZE>& b) {
    Vec<T, SIZE> r;
    for (unsigned i = 0; i < SIZE; ++i)
        r[i] = a[i] - b[i];
    return r;
}

template <typename T, unsigned SIZE>
Vec<T, SIZE> operator*(const Vec<T, SIZE>& v, T s) {
    Vec<T, SIZE> r;
    for (unsigned i = 0; i < SIZE; ++i)
        r[i] = v[i] * s;
    return r;
}

template <typename T, unsigned SIZE>
Vec<T, SIZE> operator*(T s, const Vec<T, SIZE>& v) {
    return v * s;
}

template <typename T, unsigned SIZE>
bool operator==(const Vec<T, SIZE>& a, const Vec<T, SIZE>& b) {
    for (unsigned i = 0; i < SIZE; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

template <typename T, unsigned SIZE>
T dot(const Vec<T, SIZE>& a, const Vec<T, SIZE>& b) {
    T sum = T(0);
    for (unsigned i = 0; i < SIZE; ++i)
        sum += a[i] * b[i];
    return sum;
}

template <typename T, unsigned SIZE>
T lengthSquared(const Vec<T, SIZE>& v) {
    return dot(v, v);
}

template <typename T, unsigned SIZE>
T length(const Vec<T, SIZE>& v) {
    return std::sqrt(lengthSquared(v));
}

// Scales v to unit length and returns its former length. A zero vector is
// left unchanged and 0 is returned.
template <typename T, unsigned SIZE>
T normalize(Vec<T, SIZE>& v) {
    const T len = length(v);
    if (len != T(0)) {
        for (unsigned i = 0; i < SIZE; ++i)
            v[i] /= len;
    }
    return len;
}

}  // namespace gmtl
