#pragma once

#include <cmath>

#include "math/axis_angle.h"
#include "math/matrix.h"
#include "math/vec.h"

namespace gmtl {

template <typename T, unsigned N>
Matrix<T, N, N>& identity(Matrix<T, N, N>& m) {
    m.setIdentity();
    return m;
}

// r = a * b: b is applied first to column vectors. r may alias a or b.
template <typename T, unsigned R, unsigned K, unsigned C>
Matrix<T, R, C>& mult(Matrix<T, R, C>& r, const Matrix<T, R, K>& a, const Matrix<T, K, C>& b) {
    Matrix<T, R, C> product;
    for (unsigned row = 0; row < R; ++row) {
        for (unsigned col = 0; col < C; ++col) {
            T sum = T(0);
            for (unsigned k = 0; k < K; ++k)
                sum += a(row, k) * b(k, col);
            product(row, col) = sum;
        }
    }
    product.mState = combineMatrixStates(a.mState, b.mState);
    r = product;
    return r;
}

template <typename T, unsigned R, unsigned K, unsigned C>
Matrix<T, R, C> operator*(const Matrix<T, R, K>& a, const Matrix<T, K, C>& b) {
    Matrix<T, R, C> r;
    return mult(r, a, b);
}

// r = m * v, the full product with no division by the last component.
template <typename T, unsigned N>
Vec<T, N>& xform(Vec<T, N>& r, const Matrix<T, N, N>& m, const Vec<T, N>& v) {
    Vec<T, N> product;
    for (unsigned row = 0; row < N; ++row) {
        T sum = T(0);
        for (unsigned k = 0; k < N; ++k)
            sum += m(row, k) * v[k];
        product[row] = sum;
    }
    r = product;
    return r;
}

template <typename T, unsigned N>
Vec<T, N> operator*(const Matrix<T, N, N>& m, const Vec<T, N>& v) {
    Vec<T, N> r;
    return xform(r, m, v);
}

// r = transpose of m; the tag is copied. r may alias m.
template <typename T, unsigned N>
Matrix<T, N, N>& transpose(Matrix<T, N, N>& r, const Matrix<T, N, N>& m) {
    Matrix<T, N, N> t;
    for (unsigned row = 0; row < N; ++row) {
        for (unsigned col = 0; col < N; ++col)
            t(row, col) = m(col, row);
    }
    t.mState = m.mState;
    r = t;
    return r;
}

// Writes the right-handed rotation by the angle about the unit axis into the
// upper 3x3 block; the other elements stay. An identity becomes orthogonal, a
// translation becomes affine.
template <typename T, unsigned N>
Matrix<T, N, N>& setRot(Matrix<T, N, N>& m, const AxisAngle<T>& rotation) {
    static_assert(N >= 3, "rotation needs at least three dimensions");
    const T c = std::cos(rotation.getAngle());
    const T s = std::sin(rotation.getAngle());
    const T t = T(1) - c;
    const T x = rotation.getAxis()[0];
    const T y = rotation.getAxis()[1];
    const T z = rotation.getAxis()[2];
    m(0, 0) = t * x * x + c;
    m(0, 1) = t * x * y - s * z;
    m(0, 2) = t * x * z + s * y;
    m(1, 0) = t * x * y + s * z;
    m(1, 1) = t * y * y + c;
    m(1, 2) = t * y * z - s * x;
    m(2, 0) = t * x * z - s * y;
    m(2, 1) = t * y * z + s * x;
    m(2, 2) = t * z * z + c;
    if (m.mState == Matrix<T, N, N>::IDENTITY) {
        m.mState = Matrix<T, N, N>::ORTHOGONAL;
    } else if (m.mState == Matrix<T, N, N>::TRANS) {
        m.mState = Matrix<T, N, N>::AFFINE;
    }
    return m;
}

// Writes the translation into the last column (elements 12 to 14 of a 4x4
// matrix). An identity becomes a translation, a rotation becomes affine.
template <typename T>
Matrix<T, 4, 4>& setTrans(Matrix<T, 4, 4>& m, const Vec<T, 3>& translation) {
    m(0, 3) = translation[0];
    m(1, 3) = translation[1];
    m(2, 3) = translation[2];
    if (m.mState == Matrix<T, 4, 4>::IDENTITY) {
        m.mState = Matrix<T, 4, 4>::TRANS;
    } else if (m.mState == Matrix<T, 4, 4>::ORTHOGONAL) {
        m.mState = Matrix<T, 4, 4>::AFFINE;
    }
    return m;
}

}  // namespace gmtl
