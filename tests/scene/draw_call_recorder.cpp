#include "tests/scene/draw_call_recorder.h"

#include <dlfcn.h>

#include <utility>

namespace {

DrawCallRecorder* g_recorder = nullptr;

// The driver's definition behind ours: this program comes first in the
// search order, the GL library after it.
template <typename Fn>
Fn Driver(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

}  // namespace

void RecordDrawCall(DrawCall::Kind kind, GLuint list) {
    if (g_recorder == nullptr)
        return;
    DrawCall call{kind, list, 0, {}, nullptr};
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    call.texture = static_cast<GLuint>(texture);
    glGetFloatv(GL_MODELVIEW_MATRIX, call.modelview.data());
    void* vertices = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &vertices);
    call.vertices = vertices;
    g_recorder->m_calls.push_back(call);
}

DrawCallRecorder::DrawCallRecorder() {
    g_recorder = this;
}

DrawCallRecorder::~DrawCallRecorder() {
    g_recorder = nullptr;
}

std::vector<DrawCall> DrawCallRecorder::Take() {
    return std::exchange(m_calls, {});
}

extern "C" {

void glCallList(GLuint list) {
    static const auto driver = Driver<void (*)(GLuint)>("glCallList");
    RecordDrawCall(DrawCall::LIST, list);
    driver(list);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    static const auto driver = Driver<void (*)(GLenum, GLint, GLsizei)>("glDrawArrays");
    RecordDrawCall(DrawCall::ARRAYS, 0);
    driver(mode, first, count);
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    static const auto driver =
        Driver<void (*)(GLenum, GLsizei, GLenum, const void*)>("glDrawElements");
    RecordDrawCall(DrawCall::ELEMENTS, 0);
    driver(mode, count, type, indices);
}

}  // extern "C"
