#include "platform/nv_program_layer.h"

#include <mutex>

#include "platform/nv_entry_points.h"
#include "platform/nv_gl_interpose.h"
#include "platform/nv_layer_state.h"
#include "platform/nv_real_gl.h"

namespace {

bool HasNativeExtensions(const nvlayer::LayerState& layer) {
    return !layer.Installed() && GLEW_NV_vertex_program && GLEW_NV_fragment_program;
}

}  // namespace

bool InstallNvProgramLayer() {
    nvlayer::LayerState& layer = nvlayer::LayerState::Get();
    std::lock_guard<std::mutex> lock(layer.Lock());
    if (HasNativeExtensions(layer))
        return false;
    // Each NV language stands on its ARB counterpart; with neither there is
    // nothing to offer.
    if (!GLEW_ARB_vertex_program && !GLEW_ARB_fragment_program)
        return false;
    if (!nvlayer::CoreInterposersReady())
        return false;
    if (!nvlayer::EntryPointsInstalled()) {
        nvlayer::CaptureRealArbGl();
        nvlayer::InstallProgramEntryPoints();
        nvlayer::InstallParameterEntryPoints();
    }
    __GLEW_NV_vertex_program = GLEW_ARB_vertex_program;
    __GLEW_NV_vertex_program1_1 = GLEW_ARB_vertex_program;
    __GLEW_NV_fragment_program = GLEW_ARB_fragment_program;
    layer.SetInstalled();
    return true;
}

GLenum NvFragmentProgramTarget() {
    return nvlayer::LayerState::Get().Installed() ? GL_FRAGMENT_PROGRAM_ARB
                                                  : GL_FRAGMENT_PROGRAM_NV;
}

GLenum NvProgramMatrix(int index) {
    const GLenum first = nvlayer::LayerState::Get().Installed() ? GL_MATRIX0_ARB : GL_MATRIX0_NV;
    return first + static_cast<GLenum>(index);
}
