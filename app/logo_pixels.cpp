#include <cmath>
#include <utility>

#include "app/logo_image.h"

namespace {

struct Colour {
    unsigned char r, g, b;
};

constexpr Colour BACKGROUND{236, 240, 246};
constexpr Colour MAP_FILL{244, 164, 66};
constexpr Colour GRID{96, 58, 22};
constexpr Colour SHADOW{150, 156, 168};
constexpr Colour ARROW{52, 64, 92};

constexpr int GRID_CELLS = 4;

// The trapezoid: vertical parallel sides, the short one (nearest the eye) on the left.
constexpr int TRAPEZOID_LEFT = 4;
constexpr int TRAPEZOID_RIGHT = 40;
constexpr double NEAR_TOP = 19.0, NEAR_BOTTOM = 31.0;
constexpr double FAR_TOP = 3.0, FAR_BOTTOM = 47.0;

// The shadow map it is stretched onto, with its shadow below and to the right.
constexpr int SQUARE_LEFT = 56, SQUARE_TOP = 4, SQUARE_SIZE = 40;
constexpr int SHADOW_OFFSET = 3;

constexpr int ARROW_LEFT = 43, ARROW_RIGHT = 52, ARROW_Y = 25;

class Canvas {
  public:
    Canvas() : m_pixels(LOGO_WIDTH * LOGO_HEIGHT * 3) {}

    void Set(int x, int y, Colour c) {
        if (x < 0 || y < 0 || x >= LOGO_WIDTH || y >= LOGO_HEIGHT)
            return;
        unsigned char* p = &m_pixels[(y * LOGO_WIDTH + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }

    void FillRect(int x, int y, int w, int h, Colour c) {
        for (int row = y; row < y + h; ++row)
            for (int col = x; col < x + w; ++col)
                Set(col, row, c);
    }

    std::vector<unsigned char> Take() { return std::move(m_pixels); }

  private:
    std::vector<unsigned char> m_pixels;
};

// Fraction t (0 at the short side, 1 at the long side) of the trapezoid
// column that the shadow map's column u lands on: the projective warp makes
// equal steps of u short near the eye and long far from it.
double TrapezoidColumn(double u) {
    const double nearHeight = NEAR_BOTTOM - NEAR_TOP;
    const double farHeight = FAR_BOTTOM - FAR_TOP;
    return nearHeight * u / (farHeight - (farHeight - nearHeight) * u);
}

double Lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

void DrawTrapezoid(Canvas& canvas) {
    const int width = TRAPEZOID_RIGHT - TRAPEZOID_LEFT;
    for (int col = 0; col <= width; ++col) {
        const double t = double(col) / width;
        const int top = int(std::lround(Lerp(NEAR_TOP, FAR_TOP, t)));
        const int bottom = int(std::lround(Lerp(NEAR_BOTTOM, FAR_BOTTOM, t)));
        const bool edge = col == 0 || col == width;
        for (int y = top; y <= bottom; ++y)
            canvas.Set(TRAPEZOID_LEFT + col, y, edge || y == top || y == bottom ? GRID : MAP_FILL);
        for (int k = 1; k < GRID_CELLS; ++k) {
            const double v = double(k) / GRID_CELLS;
            canvas.Set(TRAPEZOID_LEFT + col,
                       int(std::lround(
                           Lerp(Lerp(NEAR_TOP, FAR_TOP, t), Lerp(NEAR_BOTTOM, FAR_BOTTOM, t), v))),
                       GRID);
        }
    }
    for (int k = 1; k < GRID_CELLS; ++k) {
        const double t = TrapezoidColumn(double(k) / GRID_CELLS);
        const int x = TRAPEZOID_LEFT + int(std::lround(t * width));
        const int top = int(std::lround(Lerp(NEAR_TOP, FAR_TOP, t)));
        const int bottom = int(std::lround(Lerp(NEAR_BOTTOM, FAR_BOTTOM, t)));
        for (int y = top; y <= bottom; ++y)
            canvas.Set(x, y, GRID);
    }
}

void DrawArrow(Canvas& canvas) {
    for (int x = ARROW_LEFT; x <= ARROW_RIGHT; ++x)
        canvas.Set(x, ARROW_Y, ARROW);
    for (int d = 1; d <= 3; ++d) {
        canvas.Set(ARROW_RIGHT - d, ARROW_Y - d, ARROW);
        canvas.Set(ARROW_RIGHT - d, ARROW_Y + d, ARROW);
    }
}

void DrawSquare(Canvas& canvas) {
    canvas.FillRect(SQUARE_LEFT + SHADOW_OFFSET, SQUARE_TOP + SHADOW_OFFSET, SQUARE_SIZE,
                    SQUARE_SIZE, SHADOW);
    canvas.FillRect(SQUARE_LEFT, SQUARE_TOP, SQUARE_SIZE, SQUARE_SIZE, GRID);
    canvas.FillRect(SQUARE_LEFT + 1, SQUARE_TOP + 1, SQUARE_SIZE - 2, SQUARE_SIZE - 2, MAP_FILL);
    const int cell = SQUARE_SIZE / GRID_CELLS;
    for (int k = 1; k < GRID_CELLS; ++k) {
        canvas.FillRect(SQUARE_LEFT + k * cell, SQUARE_TOP, 1, SQUARE_SIZE, GRID);
        canvas.FillRect(SQUARE_LEFT, SQUARE_TOP + k * cell, SQUARE_SIZE, 1, GRID);
    }
}

}  // namespace

std::vector<unsigned char> LogoPixels() {
    Canvas canvas;
    canvas.FillRect(0, 0, LOGO_WIDTH, LOGO_HEIGHT, BACKGROUND);
    DrawTrapezoid(canvas);
    DrawArrow(canvas);
    DrawSquare(canvas);
    return canvas.Take();
}
