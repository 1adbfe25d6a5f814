#include "app/help_panel.h"

#include <string>

#include "app/keys_and_mouse.h"
#include "app/text_box.h"

namespace {

constexpr int LINE_GAP = 4;  // between one line's cell and the next

}  // namespace

void HelpPanel::Draw(CKVX_DemoView& view) {
    GLContext& context = view.m_glContext;
    const HelpPanelLayout layout = LayOutHelpPanel(
        KeysAndMouse(), context.m_iWidth, context.m_iHeight, context.m_iFontHeight + LINE_GAP,
        [&context](const std::string& text) { return context.TextWidth(text); });
    const WindowRect place = TextBoxInWindow(layout.box, context.m_iWidth, context.m_iHeight);
    if (place.width <= 0)
        return;
    const std::string size =
        std::to_string(context.m_iWidth) + "x" + std::to_string(context.m_iHeight);
    m_picture.Draw(place, size, [&] { DrawTextBox(context, layout.box, layout.lines); });
}
