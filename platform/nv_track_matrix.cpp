#include "platform/nv_track_matrix.h"

namespace nvlayer {
namespace {

using nvprog::MatrixTrack;
using nvprog::TrackedMatrix;
using nvprog::TrackTransform;

constexpr int TRACKABLE_TEXTURE_UNITS = 8;
constexpr int PROGRAM_MATRICES = 8;

std::optional<TrackTransform> DecodeTransform(GLenum transform) {
    switch (transform) {
        case GL_IDENTITY_NV:
            return TrackTransform::Identity;
        case GL_INVERSE_NV:
            return TrackTransform::Inverse;
        case GL_TRANSPOSE_NV:
            return TrackTransform::Transpose;
        case GL_INVERSE_TRANSPOSE_NV:
            return TrackTransform::InverseTranspose;
        default:
            return std::nullopt;
    }
}

std::optional<MatrixTrack> Indexed(TrackedMatrix matrix, GLenum value, GLenum first, int count) {
    if (value < first || value >= first + static_cast<GLenum>(count))
        return std::nullopt;
    return MatrixTrack{matrix, static_cast<std::uint8_t>(value - first)};
}

std::optional<MatrixTrack> DecodeMatrix(GLenum matrix, int activeUnit) {
    switch (matrix) {
        case GL_NONE:
            return MatrixTrack{};
        case GL_MODELVIEW:
            return MatrixTrack{TrackedMatrix::Modelview};
        case GL_PROJECTION:
            return MatrixTrack{TrackedMatrix::Projection};
        case GL_MODELVIEW_PROJECTION_NV:
            return MatrixTrack{TrackedMatrix::ModelviewProjection};
        case GL_TEXTURE:
            return Indexed(TrackedMatrix::Texture, GL_TEXTURE0 + static_cast<GLenum>(activeUnit),
                           GL_TEXTURE0, TRACKABLE_TEXTURE_UNITS);
        default:
            break;
    }
    if (auto t = Indexed(TrackedMatrix::Texture, matrix, GL_TEXTURE0, TRACKABLE_TEXTURE_UNITS)) {
        return t;
    }
    if (auto m = Indexed(TrackedMatrix::Program, matrix, GL_MATRIX0_NV, PROGRAM_MATRICES))
        return m;
    return Indexed(TrackedMatrix::Program, matrix, GL_MATRIX0_ARB, PROGRAM_MATRICES);
}

}  // namespace

std::optional<MatrixTrack> DecodeTrack(GLenum matrix, GLenum transform, int activeUnit) {
    auto track = DecodeMatrix(matrix, activeUnit);
    const auto t = DecodeTransform(transform);
    if (!track || !t)
        return std::nullopt;
    if (track->matrix != TrackedMatrix::None)
        track->transform = *t;
    return track;
}

}  // namespace nvlayer
