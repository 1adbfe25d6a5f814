#include "app/main_frame.h"

#include <FL/Fl.H>

#include "view/command_ids.h"

CMainFrame::CMainFrame(const RunOptions& options, std::function<void()> onAbout,
                       std::function<void(char)> onDocumentCommand)
    : Fl_Double_Window(options.width, options.height + MENU_HEIGHT, "KVX Demo"),
      m_menu(0, 0, options.width, MENU_HEIGHT,
             {[this](unsigned id) { OnCommand(id); }, [this] { m_viewWindow.PostQuit(0); },
              std::move(onAbout)}),
      m_viewWindow(0, MENU_HEIGHT, options.width, options.height, options),
      m_onDocumentCommand(std::move(onDocumentCommand)) {
    end();
    // Escape dismisses menus and boxes; it does not end the program, the close box does.
    callback(
        [](Fl_Widget*, void* frame) {
            if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
                return;
            static_cast<CMainFrame*>(frame)->m_viewWindow.PostQuit(0);
        },
        this);
    resizable(m_viewWindow);
    m_viewWindow.SetMenu(&m_menu);
}

void CMainFrame::OnCommand(unsigned commandId) {
    CKVX_DemoView& view = m_viewWindow.View();
    switch (commandId) {
        case ID_SHADOW_KVX:
            view.OnShadowKVX();
            break;
        case ID_SHADOW_KVX_HIGH_QUALITY:
            view.OnShadowKVXHighQuality();
            break;
        case ID_SHADOW_SSM:
            view.OnShadowSSM();
            break;
        case ID_NAVIGATION_EYE:
            view.OnNavigationEye();
            break;
        case ID_NAVIGATION_LIGHT:
            view.OnNavigationLight();
            break;
        case ID_SOUND_ON:
            view.OnSoundOn();
            break;
        case ID_SOUND_OFF:
            view.OnSoundOff();
            break;
        case ID_VIEW_LISPSM:
            ToggleComparedMode(PARAM_LISPSM);
            break;
        case ID_VIEW_CSM:
            ToggleComparedMode(PARAM_CSM);
            break;
        case ID_VIEW_CSM_STABLE:
            ToggleComparedMode(PARAM_CSM_STABLE);
            break;
        case ID_VIEW_MAP_INSET:
        case ID_VIEW_HEAT_COLOURS:
        case ID_VIEW_READOUT:
            m_viewWindow.ToggleLiveView(commandId);
            break;
        case ID_VIEW_PLACEMENT:
        case ID_HELP_KEYS_AND_MOUSE:
            m_viewWindow.ToggleOverlay(commandId);
            break;
        case ID_VIEW_START_UP:
            view.OnStartUpView();
            break;
        case ID_VIEW_PAUSE_FIGURES:
            view.SetFiguresPaused(!view.FiguresPaused());
            break;
        case ID_VIEW_SAVE_VIEW:
            m_viewWindow.SaveViewChosen();
            break;
        case ID_VIEW_OPEN_VIEW:
            m_viewWindow.OpenViewChosen();
            break;
        default:
            break;
    }
}

// Choosing the checked one returns to the Options menu's shadow mode.
void CMainFrame::ToggleComparedMode(int parametrisation) {
    CKVX_DemoView& view = m_viewWindow.View();
    view.SetComparedMode(view.m_iComparedMode == parametrisation ? NO_COMPARED_MODE
                                                                 : parametrisation);
}

// The document's accelerators: Ctrl+N, Ctrl+O and Ctrl+S.
int CMainFrame::handle(int event) {
    if (event == FL_SHORTCUT && Fl::event_state(FL_CTRL) && !Fl::event_state(FL_ALT)) {
        const int key = Fl::event_key();
        if (key == 'n' || key == 'o' || key == 's') {
            m_onDocumentCommand(static_cast<char>(key));
            return 1;
        }
    }
    return Fl_Double_Window::handle(event);
}
