#pragma once

#include <GL/glew.h>

#include <array>
#include <vector>

// The draw calls the scene makes, as GL receives them. This test program
// defines glCallList, glDrawArrays and glDrawElements itself, so the scene's
// calls reach these first: while a recorder exists each call is recorded with
// the modelview matrix, the 2D texture and the vertex array set at that
// moment, then passed on to the driver.
struct DrawCall {
    enum Kind { LIST, ARRAYS, ELEMENTS } kind;
    GLuint list;     // the list called, for LIST
    GLuint texture;  // GL_TEXTURE_BINDING_2D of the active unit
    std::array<float, 16> modelview;
    const void* vertices;  // GL_VERTEX_ARRAY_POINTER
};

class DrawCallRecorder {
  public:
    DrawCallRecorder();
    ~DrawCallRecorder();
    DrawCallRecorder(const DrawCallRecorder&) = delete;
    DrawCallRecorder& operator=(const DrawCallRecorder&) = delete;

    // The calls recorded so far, in order; emptied by Take.
    std::vector<DrawCall> Take();

  private:
    friend void RecordDrawCall(DrawCall::Kind kind, GLuint list);
    std::vector<DrawCall> m_calls;
};
