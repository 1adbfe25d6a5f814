#include "app/kvx_demo_doc.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <cstdio>
#include <utility>

namespace {

std::string ShowNativeFileDialog(CKVX_DemoDoc::FileDialogKind kind) {
    const bool open = kind == CKVX_DemoDoc::FileDialogKind::OPEN;
    Fl_Native_File_Chooser chooser(open ? Fl_Native_File_Chooser::BROWSE_FILE
                                        : Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
    chooser.title(open ? "Open" : "Save As");
    const bool chosen = chooser.show() == 0 && chooser.filename() != nullptr;
    return chosen ? chooser.filename() : "";
}

}  // namespace

CKVX_DemoDoc::CKVX_DemoDoc(AppSettings& settings) : CKVX_DemoDoc(settings, ShowNativeFileDialog) {}

CKVX_DemoDoc::CKVX_DemoDoc(AppSettings& settings, FileDialog fileDialog)
    : m_settings(settings), m_fileDialog(std::move(fileDialog)) {}

bool CKVX_DemoDoc::OnNewDocument() {
    m_strPathName.clear();
    return true;
}

void CKVX_DemoDoc::OnFileOpen() {
    const std::string path = m_fileDialog(FileDialogKind::OPEN);
    if (path.empty())
        return;
    m_strPathName = path;
    m_settings.RecentFiles().Add(path);
    if (const std::string problem = m_settings.Save(); !problem.empty())
        std::fprintf(stderr, "%s\n", problem.c_str());
}

void CKVX_DemoDoc::OnFileSave() {
    m_fileDialog(FileDialogKind::SAVE);
}
