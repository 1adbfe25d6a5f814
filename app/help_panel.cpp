#include "app/help_panel.h"

#include "app/keys_and_mouse.h"

namespace {

constexpr int LINE_GAP = 4;  // between one line's cell and the next

}  // namespace

void HelpPanel::Draw(CKVX_DemoView& view) {
    GLContext& context = view.m_glContext;
    const HelpPanelLayout layout = LayOutHelpPanel(
        KeysAndMouse(), context.m_iWidth, context.m_iHeight, context.m_iFontHeight + LINE_GAP,
        [&context](const std::string& text) { return context.TextWidth(text); });
    DrawTextBox(context, layout.box, layout.lines);
}
