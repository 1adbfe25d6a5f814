#include "app/kvx_demo_app.h"

#include <FL/Fl.H>

#include <cstdio>

#include "app/about_box.h"
#include "app/about_text.h"
#include "app/main_frame.h"
#include "app/window_identity.h"
#include "crypt/scratch_folder.h"
#include "platform/data_folder.h"
#include "platform/data_search.h"
#include "platform/display_connection.h"
#include "platform/message_box.h"

namespace {

constexpr int START_UP_FAILED = 1;

}  // namespace

CKVX_DemoApp::CKVX_DemoApp() : m_document(m_settings) {}

CKVX_DemoApp::~CKVX_DemoApp() = default;

int CKVX_DemoApp::Run(int argc, char** argv) {
    const CommandLineOutcome command =
        ParseRunOptions(std::vector<std::string>(argv + 1, argv + argc), m_options);
    if (command.action != CommandLineOutcome::RUN)
        return ReportCommandLine("kvx-demo", command);
    if (!ReadStartUpView())
        return START_UP_FAILED;
    if (!InitInstance()) {
        const int code = m_pMainFrame ? m_pMainFrame->ViewWindow().ExitCode() : 0;
        return code != 0 ? code : START_UP_FAILED;
    }
    Fl::run();
    return m_pMainFrame->ViewWindow().ExitCode();
}

// The view file asked for on the command line, read whole before any window
// opens; a file that cannot be used ends the program there.
bool CKVX_DemoApp::ReadStartUpView() {
    if (m_options.viewFile.empty())
        return true;
    SavedView view;
    const std::string problem = ReadViewFile(m_options.viewFile, view);
    if (!problem.empty()) {
        std::fprintf(stderr, "kvx-demo: %s: %s\n", m_options.viewFile.c_str(), problem.c_str());
        return false;
    }
    m_options.view = view;
    return true;
}

// Settings, the empty document, the main window with the view and its
// start-up, the caption.
bool CKVX_DemoApp::InitInstance() {
    const bool display = OpenDisplayConnection();
    SetMessageBoxBatchMode(m_options.batch || !display);
    if (!display) {
        ShowMessageBox("Error setting up OpenGL.");
        return false;
    }
    UseDataFolder();
    m_settings.Load();
    m_document.OnNewDocument();
    SetWindowIdentity();
    m_pMainFrame = std::make_unique<CMainFrame>(
        m_options, [this] { ShowAboutBox(); }, [this](char key) { OnDocumentCommand(key); });
    m_pMainFrame->show();
    if (!m_pMainFrame->ViewWindow().CreateView())
        return false;
    m_pMainFrame->label("KVX Demo");
    return true;
}

// Where the scene data is read from and the scratch files go, before anything is loaded. When no
// data is found, ./data stays the folder, so the loader's message names it as always.
void CKVX_DemoApp::UseDataFolder() {
    const DataChoice choice = ChooseDataFolder(m_options.dataDir, RunningProgram(), HoldsData);
    if (!choice.notFound.empty())
        ShowMessageBox(choice.notFound);
    SetDataFolder(choice.folder);
    PlaceScratchFiles(choice.folder, choice.installed);
}

void CKVX_DemoApp::ShowAboutBox() {
    ShowAboutBoxOverView(m_pMainFrame->ViewWindow(),
                         AboutText(ReadAssetCredits(DataFile(ASSET_CREDITS_FILE))));
}

void CKVX_DemoApp::OnDocumentCommand(char key) {
    switch (key) {
        case 'n':
            m_document.OnNewDocument();
            break;
        case 'o':
            m_document.OnFileOpen();
            break;
        case 's':
            m_document.OnFileSave();
            break;
        default:
            break;
    }
}
