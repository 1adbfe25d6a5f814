#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "math/gmtl.h"

namespace {

using gmtl::Matrix44f;

void ExpectIdentity(const Matrix44f& m, float tolerance) {
    for (unsigned r = 0; r < 4; ++r) {
        for (unsigned c = 0; c < 4; ++c) {
            EXPECT_NEAR(m(r, c), r == c ? 1.0f : 0.0f, tolerance) << "row " << r << " col " << c;
        }
    }
}

Matrix44f Translation(float x, float y, float z) {
    Matrix44f m;
    gmtl::setTrans(m, gmtl::Vec3f(x, y, z));
    return m;
}

Matrix44f Rotation(float degrees, float x, float y, float z) {
    Matrix44f m;
    gmtl::setRot(m, gmtl::AxisAnglef(degrees * gmtl::Math::DEG_TO_RAD, x, y, z));
    return m;
}

TEST(Matrix, DefaultIsIdentityTaggedIdentity) {
    Matrix44f m;
    ExpectIdentity(m, 0.0f);
    EXPECT_EQ(m.getState(), Matrix44f::IDENTITY);
    gmtl::Matrix33f n;
    EXPECT_EQ(n(2, 2), 1.0f);
    EXPECT_EQ(n(0, 2), 0.0f);
}

TEST(Matrix, TranslationSitsInElementsTwelveToFourteen) {
    const Matrix44f t = Translation(3.0f, -4.0f, 5.0f);
    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, -4, 5, 1};
    EXPECT_THAT(t.mData, testing::ElementsAreArray(expected));
    EXPECT_EQ(t.getState(), Matrix44f::TRANS);
}

TEST(Matrix, RotationIsRightHanded) {
    // A quarter turn about y takes x to -z, about x takes y to z, about z takes x to y.
    struct Case {
        float ax, ay, az;
        gmtl::Vec4f in, out;
    } cases[] = {
        {0, 1, 0, {1, 0, 0, 1}, {0, 0, -1, 1}},
        {1, 0, 0, {0, 1, 0, 1}, {0, 0, 1, 1}},
        {0, 0, 1, {1, 0, 0, 1}, {0, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        const gmtl::Vec4f r = Rotation(90.0f, c.ax, c.ay, c.az) * c.in;
        for (unsigned i = 0; i < 4; ++i)
            EXPECT_NEAR(r[i], c.out[i], 1e-6f);
    }
}

TEST(Matrix, SettersAndProductsMaintainTheTag) {
    Matrix44f m = Translation(1, 2, 3);
    gmtl::setRot(m, gmtl::AxisAnglef(0.5f, 0, 0, 1));
    EXPECT_EQ(m.getState(), Matrix44f::AFFINE);

    Matrix44f r = Rotation(30, 1, 0, 0);
    EXPECT_EQ(r.getState(), Matrix44f::ORTHOGONAL);
    gmtl::setTrans(r, gmtl::Vec3f(1, 1, 1));
    EXPECT_EQ(r.getState(), Matrix44f::AFFINE);

    Matrix44f full;
    full.setState(Matrix44f::FULL);
    const int T = Matrix44f::TRANS, O = Matrix44f::ORTHOGONAL, A = Matrix44f::AFFINE,
              I = Matrix44f::IDENTITY, F = Matrix44f::FULL, E = Matrix44f::XFORM_ERROR,
              S = Matrix44f::AFFINE | Matrix44f::NON_UNIFORM_SCALE;
    const int table[][3] = {{I, T, T}, {T, I, T}, {T, O, A}, {O, T, A}, {T, T, T},
                            {O, O, O}, {A, T, A}, {O, A, A}, {A, S, S}, {S, A, S},
                            {F, A, F}, {T, F, F}, {E, I, E}, {F, E, E}};
    for (const auto& row : table) {
        EXPECT_EQ(gmtl::combineMatrixStates(row[0], row[1]), row[2]) << row[0] << " * " << row[1];
    }
}

TEST(Matrix, ProductAppliesRightFactorFirst) {
    // Translate after rotating: the point turns about the origin, then moves.
    const Matrix44f m = Translation(10, 0, 0) * Rotation(90, 0, 0, 1);
    const gmtl::Vec4f p = m * gmtl::Vec4f(1, 0, 0, 1);
    EXPECT_NEAR(p[0], 10.0f, 1e-6f);
    EXPECT_NEAR(p[1], 1.0f, 1e-6f);
    EXPECT_EQ(m.getState(), Matrix44f::AFFINE);
}

TEST(Matrix, InverseByTagUndoesTheTransform) {
    Matrix44f scale;
    scale(0, 0) = 2.0f;
    scale(1, 1) = 0.5f;
    scale(2, 2) = 4.0f;
    scale.setState(Matrix44f::AFFINE | Matrix44f::NON_UNIFORM_SCALE);
    Matrix44f projective = Translation(1, 2, 3) * Rotation(40, 0, 1, 0);
    projective(3, 0) = 0.25f;
    projective(3, 2) = -1.0f;
    projective.setState(Matrix44f::FULL);

    const Matrix44f cases[] = {
        Matrix44f(),
        Translation(3, -2, 7),
        Rotation(33, 0.6f, 0.8f, 0.0f),
        Translation(0, 0, -160) * Rotation(20, 1, 0, 0) * Rotation(-135, 0, 1, 0),
        Translation(4, 5, 6) * scale,
        projective,
    };
    for (const Matrix44f& m : cases) {
        Matrix44f inverse;
        gmtl::invert(inverse, m);
        EXPECT_FALSE(inverse.isError());
        EXPECT_EQ(inverse.getState(), m.getState());
        ExpectIdentity(inverse * m, 2e-5f);
        ExpectIdentity(m * inverse, 2e-5f);
    }
}

TEST(Matrix, GeneralInverseOfRandomMatrices) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> value(-10.0f, 10.0f);
    for (int n = 0; n < 200; ++n) {
        Matrix44f m;
        for (float& v : m.mData)
            v = value(rng);
        m.setState(Matrix44f::FULL);
        Matrix44f inverse = m;
        gmtl::invert(inverse);
        ASSERT_FALSE(inverse.isError());
        // Condition numbers vary; a loose bound still catches a wrong pivot order.
        ExpectIdentity(inverse * m, 5e-3f);
    }
}

TEST(Matrix, SingularInverseReportsAndKeepsTheElements) {
    Matrix44f m;
    m(0, 0) = 0.0f;  // a zero row and column: singular
    m.setState(Matrix44f::FULL);
    const Matrix44f before = m;

    testing::internal::CaptureStderr();
    gmtl::invert(m);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_THAT(err, testing::MatchesRegex("\\*\\*\\* pivot = .* in mat_inv\\. \\*\\*\\*\n"));
    EXPECT_TRUE(m.isError());
    EXPECT_THAT(m.mData, testing::ElementsAreArray(before.mData));
}

TEST(Vector, NormalizeReturnsTheFormerLength) {
    gmtl::Vec3f v(3, 0, 4);
    EXPECT_FLOAT_EQ(gmtl::normalize(v), 5.0f);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_FLOAT_EQ(v[2], 0.8f);

    gmtl::Vec3f zero;
    EXPECT_EQ(gmtl::normalize(zero), 0.0f);
    EXPECT_EQ(zero, gmtl::Vec3f(0, 0, 0));

    gmtl::Vec2f flat(0, -2);
    EXPECT_FLOAT_EQ(gmtl::normalize(flat), 2.0f);
    EXPECT_EQ(flat, gmtl::Vec2f(0, -1));
}

}  // namespace
