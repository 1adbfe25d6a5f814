#include "app/placement_readout.h"

#include "app/orbit_option.h"
#include "app/text_box.h"

namespace {

constexpr int MARGIN = 10;  // from the view's left and bottom edges
constexpr int PADDING = 4;

}  // namespace

void PlacementReadout::Draw(CKVX_DemoView& view) {
    GLContext& context = view.m_glContext;
    const std::string line = PlacementLine(view.Placement());
    const int height = context.m_iFontHeight + 2 * PADDING;
    const TextBox box{MARGIN, context.m_iHeight - MARGIN - height,
                      context.TextWidth(line) + 2 * PADDING, height};
    DrawTextBox(context, box, {{PADDING, PADDING, line}});
}
