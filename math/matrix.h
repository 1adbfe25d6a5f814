#pragma once

namespace gmtl {

// A ROWS x COLS matrix stored in column-major order: the element in row r and
// column c sits at index c * ROWS + r, so a 4x4 matrix goes to OpenGL as it is
// stored. Beside the elements every matrix carries a state tag describing what
// kind of transform it holds; the tag selects the inversion method.
template <typename T, unsigned ROWS, unsigned COLS>
class Matrix {
  public:
    enum XformState {
        IDENTITY = 1,
        TRANS = 2,
        ORTHOGONAL = 4,
        AFFINE = 16,
        NON_UNIFORM_SCALE = 32,
        FULL = 64,
        XFORM_ERROR = 128
    };

    // The identity, tagged IDENTITY.
    Matrix() { setIdentity(); }

    T& operator()(unsigned row, unsigned col) { return mData[col * ROWS + row]; }
    const T& operator()(unsigned row, unsigned col) const { return mData[col * ROWS + row]; }
    T& operator[](unsigned index) { return mData[index]; }
    const T& operator[](unsigned index) const { return mData[index]; }
    const T* getData() const { return mData; }

    void setIdentity() {
        for (unsigned c = 0; c < COLS; ++c) {
            for (unsigned r = 0; r < ROWS; ++r)
                (*this)(r, c) = (r == c) ? T(1) : T(0);
        }
        mState = IDENTITY;
    }

    void setState(int state) { mState = state; }
    int getState() const { return mState; }
    bool isError() const { return (mState & XFORM_ERROR) != 0; }

    T mData[ROWS * COLS];
    int mState;
};

using Matrix33f = Matrix<float, 3, 3>;
using Matrix44f = Matrix<float, 4, 4>;

// The tag of a product a * b: the more general of the two kinds, where a
// translation and a rotation together make an affine transform and an error
// in either factor marks the product.
inline int combineMatrixStates(int a, int b) {
    using M = Matrix44f;
    if ((a | b) & M::XFORM_ERROR)
        return M::XFORM_ERROR;
    if (a == M::IDENTITY)
        return b;
    if (b == M::IDENTITY)
        return a;
    if ((a == M::TRANS && b == M::ORTHOGONAL) || (a == M::ORTHOGONAL && b == M::TRANS)) {
        return M::AFFINE;
    }
    auto rank = [](int s) {
        switch (s) {
            case M::TRANS:
            case M::ORTHOGONAL:
                return 1;
            case M::AFFINE:
                return 2;
            case M::AFFINE | M::NON_UNIFORM_SCALE:
                return 3;
            default:
                return 4;
        }
    };
    if (rank(a) == 4 || rank(b) == 4)
        return M::FULL;
    return rank(a) >= rank(b) ? a : b;
}

}  // namespace gmtl
