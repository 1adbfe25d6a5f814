// State of the NV program layer: per GL context the matrix tracking, the
// program bindings and the error report of the last load; per group of
// contexts sharing objects the NV program objects and their translated
// variants. Contexts are told apart by their GLX context id; contexts that
// share objects (glXCreateContext's share list) share one group.
#pragma once

#include <GL/glew.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/nv_program_text.h"

namespace nvlayer {

// Which translated variant a context needs: for a vertex program the
// tracking of the register blocks it reads, for a fragment program which of
// its sampled units hold depth-compared textures.
using VariantKey = std::array<std::uint32_t, nvprog::TRACK_BLOCK_COUNT>;

struct ProgramObject {
    nvprog::ProgramKind kind = nvprog::ProgramKind::Vertex;
    std::shared_ptr<const nvprog::Program> program;  // null until a load succeeds
    std::uint32_t referencedBlocks = 0;
    std::vector<nvprog::SampledUnit> shadowCapableUnits;
    // Fragment program.local values: p[0..63], then the DECLAREd parameters.
    std::map<int, std::array<float, 4>> locals;
    // ARB program names by variant; the first variant lives in the NV id.
    std::map<VariantKey, GLuint> variants;
};

// Index of a program kind in ContextState's per-kind arrays.
inline std::size_t KindIndex(nvprog::ProgramKind kind) {
    return kind == nvprog::ProgramKind::Vertex ? 0 : 1;
}

struct ShareGroup {
    std::unordered_map<GLuint, ProgramObject> programs;
};

// The tracking of one register block as the NV entry points were given it.
struct TrackRequest {
    GLenum matrix = GL_NONE;
    GLenum transform = GL_IDENTITY_NV;
};

struct ContextState {
    std::shared_ptr<ShareGroup> group;
    nvprog::TrackingTable tracking{};
    std::array<TrackRequest, nvprog::TRACK_BLOCK_COUNT> requests{};
    std::array<GLuint, 2> bound{};     // NV program bound per ProgramKind, 0 when none
    std::array<GLuint, 2> boundArb{};  // the ARB variant bound for it
    GLint errorPosition = -1;          // of the last glLoadProgramNV
    bool lastLoadWasNv = false;        // else the driver's own ARB position answers
    GLenum pendingError = GL_NO_ERROR;
};

// The layer's process-wide state; every entry point holds its lock.
class LayerState {
  public:
    static LayerState& Get();

    std::mutex& Lock() { return m_lock; }
    bool Installed() const { return m_installed; }
    void SetInstalled() { m_installed = true; }
    bool HasPendingErrors() const { return m_pendingErrors; }
    void NotePendingError() { m_pendingErrors = true; }

    // The state of the current context; null when no context is current.
    ContextState* Current();

  private:
    std::shared_ptr<ShareGroup> GroupFor(unsigned long id, unsigned long shareId);

    std::mutex m_lock;
    std::atomic<bool> m_installed{false};
    std::atomic<bool> m_pendingErrors{false};
    std::unordered_map<unsigned long, ContextState> m_contexts;
    std::unordered_map<unsigned long, std::shared_ptr<ShareGroup>> m_groups;
    unsigned long m_lastId = 0;
    ContextState* m_last = nullptr;
};

// Records a GL error for glGetError to report.
void RaiseError(ContextState& context, GLenum error);

// Runs body(ContextState&) under the layer's lock for the current context;
// does nothing when no context is current, as GL does.
template <typename Body>
void WithCurrentContext(Body body) {
    LayerState& layer = LayerState::Get();
    std::lock_guard<std::mutex> lock(layer.Lock());
    if (ContextState* context = layer.Current())
        body(*context);
}

}  // namespace nvlayer
