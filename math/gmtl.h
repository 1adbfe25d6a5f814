#pragma once

// The vector and matrix library: types, state tags and operations.
#include "math/angles.h"
#include "math/axis_angle.h"
#include "math/invert.h"
#include "math/matrix.h"
#include "math/matrix_ops.h"
#include "math/vec.h"
