// Mouse navigation: Control + left drag turns the chosen camera about the
// origin, Shift + left drag moves it nearer or farther. Every message asks
// for a repaint.

#include "view/input_message.h"
#include "view/kvx_demo_view.h"

namespace {

constexpr float EYE_ELEVATION_MIN = 5.0f, EYE_ELEVATION_MAX = 175.0f;
constexpr float LIGHT_ELEVATION_MIN = 25.0f, LIGHT_ELEVATION_MAX = 155.0f;
// Distances are stored negated.
constexpr float EYE_DISTANCE_MIN = -200.0f, EYE_DISTANCE_MAX = -10.0f;
constexpr float LIGHT_DISTANCE_MIN = -2000.0f, LIGHT_DISTANCE_MAX = -800.0f;
constexpr float ZOOM_PER_PIXEL = 0.5f;

float Clamp(float value, float low, float high) {
    if (value < low)
        return low;
    if (value > high)
        return high;
    return value;
}

int ActionFor(unsigned flags) {
    if ((flags & MK_CONTROL) && (flags & MK_LBUTTON))
        return MOUSE_ROTATE;
    if ((flags & MK_SHIFT) && (flags & MK_LBUTTON))
        return MOUSE_ZOOM;
    if (flags & MK_LBUTTON)
        return MOUSE_DRAG;
    return MOUSE_NONE;
}

}  // namespace

int CKVX_DemoView::OnInputMessage(unsigned message, unsigned flags, int x, int y) {
    switch (message) {
        case INPUT_MOUSEMOVE:
            m_iMouseAction = ActionFor(flags);
            ApplyMouseDrag(flags, x, y);
            break;
        case INPUT_LBUTTONDOWN:
            m_iLastMouseX = x;
            m_iLastMouseY = y;
            break;
        default:  // wheel and keys move nothing
            break;
    }
    m_host.Invalidate();
    return 0;
}

// The navigation parameters of the camera the mouse moves, with their
// limits; false when the navigation mode chooses neither camera.
bool CKVX_DemoView::ChosenOrbit(Orbit& orbit) {
    return OrbitOf(m_iNavigationMode, orbit);
}

bool CKVX_DemoView::OrbitOf(int navigationMode, Orbit& orbit) {
    if (navigationMode == NAV_EYE) {
        orbit = {&m_fEyeElevation,  &m_fEyeAzimuth,    &m_fEyeDistance,  &m_eyeCamera,
                 EYE_ELEVATION_MIN, EYE_ELEVATION_MAX, EYE_DISTANCE_MIN, EYE_DISTANCE_MAX};
        return true;
    }
    if (navigationMode == NAV_LIGHT) {
        orbit = {&m_fLightElevation,  &m_fLightAzimuth,    &m_fLightDistance,  &m_lightCamera,
                 LIGHT_ELEVATION_MIN, LIGHT_ELEVATION_MAX, LIGHT_DISTANCE_MIN, LIGHT_DISTANCE_MAX};
        return true;
    }
    return false;
}

void CKVX_DemoView::PlaceCamera(int navigationMode, float elevation, float azimuth,
                                float distance) {
    Orbit o;
    if (!OrbitOf(navigationMode, o))
        return;
    *o.elevation = elevation;
    *o.azimuth = azimuth;
    *o.distance = -distance;
    o.camera->SetView(elevation, azimuth, distance);
    m_host.Invalidate();
}

// One drag step: a move across the whole client width turns the camera by
// 360 degrees of azimuth, across the whole height by 360 degrees of
// elevation; each pixel up or down changes the distance by 0.5.
void CKVX_DemoView::ApplyMouseDrag(unsigned, int x, int y) {
    const int w = m_glContext.m_iWidth;
    const int h = m_glContext.m_iHeight;
    Orbit o;
    if (m_iMouseAction == MOUSE_ROTATE && w > 0 && h > 0 && ChosenOrbit(o)) {
        *o.azimuth -= static_cast<float>(m_iLastMouseX - x) / static_cast<float>(w) * 360.0f;
        *o.elevation -= static_cast<float>(m_iLastMouseY - y) / static_cast<float>(h) * 360.0f;
        *o.elevation = Clamp(*o.elevation, o.elevationMin, o.elevationMax);
        o.camera->SetView(*o.elevation, *o.azimuth, -*o.distance);
    } else if (m_iMouseAction == MOUSE_ZOOM && ChosenOrbit(o)) {
        *o.distance -= static_cast<float>(y - m_iLastMouseY) * ZOOM_PER_PIXEL;
        *o.distance = Clamp(*o.distance, o.distanceMin, o.distanceMax);
        o.camera->SetView(*o.elevation, *o.azimuth, -*o.distance);
    }
    m_iLastMouseX = x;
    m_iLastMouseY = y;
    m_host.Invalidate();
}
