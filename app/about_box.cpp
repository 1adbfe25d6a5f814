#include "app/about_box.h"

#include "app/about_dialog.h"
#include "view/kvx_demo_view.h"
#include "view/view_host.h"

void ShowAboutBoxOverView(ViewHost& host, const std::string& text) {
    host.KillTimer(CKVX_DemoView::FRAME_TIMER_ID);
    RunAboutDialog(text);
    host.SetTimer(CKVX_DemoView::FRAME_TIMER_ID, CKVX_DemoView::FRAME_TIMER_MS);
}
