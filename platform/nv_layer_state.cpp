#include "platform/nv_layer_state.h"

#include <GL/glx.h>
#include <GL/glxext.h>

namespace nvlayer {
namespace {

using GetContextIdFn = GLXContextID (*)(const GLXContext);

unsigned long ContextId(GLXContext context) {
    static const auto getId = reinterpret_cast<GetContextIdFn>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXGetContextIDEXT")));
    return getId != nullptr ? getId(context) : reinterpret_cast<unsigned long>(context);
}

unsigned long ShareContextId(GLXContext context) {
    int share = 0;
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr ||
        glXQueryContext(display, context, GLX_SHARE_CONTEXT_EXT, &share) != 0) {
        return 0;
    }
    return static_cast<unsigned long>(static_cast<unsigned int>(share));
}

}  // namespace

LayerState& LayerState::Get() {
    static LayerState state;
    return state;
}

ContextState* LayerState::Current() {
    const GLXContext context = glXGetCurrentContext();
    if (context == nullptr)
        return nullptr;
    const unsigned long id = ContextId(context);
    if (id == m_lastId && m_last != nullptr)
        return m_last;
    auto found = m_contexts.find(id);
    if (found == m_contexts.end()) {
        found = m_contexts.emplace(id, ContextState{}).first;
        found->second.group = GroupFor(id, ShareContextId(context));
    }
    m_lastId = id;
    m_last = &found->second;
    return m_last;
}

// A context joins the group of the context it shares objects with. Groups
// met separately that turn out to be one are merged.
std::shared_ptr<ShareGroup> LayerState::GroupFor(unsigned long id, unsigned long shareId) {
    std::shared_ptr<ShareGroup> own = m_groups.count(id) ? m_groups[id] : nullptr;
    std::shared_ptr<ShareGroup> shared =
        shareId && m_groups.count(shareId) ? m_groups[shareId] : nullptr;
    std::shared_ptr<ShareGroup> group = own      ? own
                                        : shared ? shared
                                                 : std::make_shared<ShareGroup>();
    if (own && shared && own != shared) {
        group->programs.merge(shared->programs);
        for (auto& [key, g] : m_groups) {
            if (g == shared)
                g = group;
        }
        for (auto& [key, c] : m_contexts) {
            if (c.group == shared)
                c.group = group;
        }
    }
    m_groups[id] = group;
    if (shareId != 0)
        m_groups[shareId] = group;
    return group;
}

void RaiseError(ContextState& context, GLenum error) {
    if (context.pendingError == GL_NO_ERROR)
        context.pendingError = error;
    LayerState::Get().NotePendingError();
}

}  // namespace nvlayer
