#pragma once

#include <cmath>
#include <iostream>
#include <utility>

#include "math/matrix.h"
#include "math/matrix_ops.h"

namespace gmtl {

// General inversion by Gauss-Jordan elimination with full pivoting. When the
// largest remaining pivot is at most 1e-20 in magnitude the matrix counts as
// singular: a line goes to the standard error stream, r keeps its elements
// and gets the error bit. r may alias m.
template <typename T, unsigned N>
Matrix<T, N, N>& invertFull(Matrix<T, N, N>& r, const Matrix<T, N, N>& m) {
    T a[N][N];
    for (unsigned row = 0; row < N; ++row) {
        for (unsigned col = 0; col < N; ++col)
            a[row][col] = m(row, col);
    }
    bool used[N] = {};
    unsigned pivotRow[N];
    unsigned pivotCol[N];
    for (unsigned step = 0; step < N; ++step) {
        unsigned prow = 0;
        unsigned pcol = 0;
        T big = T(-1);
        for (unsigned row = 0; row < N; ++row) {
            if (used[row])
                continue;
            for (unsigned col = 0; col < N; ++col) {
                if (!used[col] && std::fabs(a[row][col]) > big) {
                    big = std::fabs(a[row][col]);
                    prow = row;
                    pcol = col;
                }
            }
        }
        used[pcol] = true;
        if (prow != pcol) {
            for (unsigned col = 0; col < N; ++col)
                std::swap(a[prow][col], a[pcol][col]);
        }
        pivotRow[step] = prow;
        pivotCol[step] = pcol;
        const T pivot = a[pcol][pcol];
        if (std::fabs(pivot) <= T(1e-20)) {
            std::cerr << "*** pivot = " << pivot << " in mat_inv. ***\n";
            r.mState |= Matrix<T, N, N>::XFORM_ERROR;
            return r;
        }
        const T inverse = T(1) / pivot;
        a[pcol][pcol] = T(1);
        for (unsigned col = 0; col < N; ++col)
            a[pcol][col] *= inverse;
        for (unsigned row = 0; row < N; ++row) {
            if (row == pcol)
                continue;
            const T factor = a[row][pcol];
            a[row][pcol] = T(0);
            for (unsigned col = 0; col < N; ++col)
                a[row][col] -= a[pcol][col] * factor;
        }
    }
    for (unsigned step = N; step-- > 0;) {
        if (pivotRow[step] == pivotCol[step])
            continue;
        for (unsigned row = 0; row < N; ++row) {
            std::swap(a[row][pivotRow[step]], a[row][pivotCol[step]]);
        }
    }
    for (unsigned row = 0; row < N; ++row) {
        for (unsigned col = 0; col < N; ++col)
            r(row, col) = a[row][col];
    }
    r.mState = m.mState;
    return r;
}

// Inverse of a rigid transform: the rotation part is transposed and the
// translation turned back by it.
template <typename T>
Matrix<T, 4, 4>& invertAffine(Matrix<T, 4, 4>& r, const Matrix<T, 4, 4>& m) {
    Matrix<T, 4, 4> inv;
    for (unsigned row = 0; row < 3; ++row) {
        for (unsigned col = 0; col < 3; ++col)
            inv(row, col) = m(col, row);
    }
    for (unsigned row = 0; row < 3; ++row) {
        inv(row, 3) = -(inv(row, 0) * m(0, 3) + inv(row, 1) * m(1, 3) + inv(row, 2) * m(2, 3));
    }
    inv.mState = m.mState;
    r = inv;
    return r;
}

// r = inverse of m, by the method m's tag allows. r may alias m. A matrix
// with a non-uniform scale takes the general path, since transposing its
// upper block would not invert it.
template <typename T>
Matrix<T, 4, 4>& invert(Matrix<T, 4, 4>& r, const Matrix<T, 4, 4>& m) {
    using M = Matrix<T, 4, 4>;
    switch (m.mState) {
        case M::IDENTITY:
            r = m;
            return r;
        case M::TRANS:
            r = m;
            r(0, 3) = -m(0, 3);
            r(1, 3) = -m(1, 3);
            r(2, 3) = -m(2, 3);
            return r;
        case M::ORTHOGONAL:
            return transpose(r, m);
        case M::AFFINE:
            return invertAffine(r, m);
        default:
            return invertFull(r, m);
    }
}

template <typename T>
Matrix<T, 4, 4>& invert(Matrix<T, 4, 4>& m) {
    return invert(m, m);
}

}  // namespace gmtl
