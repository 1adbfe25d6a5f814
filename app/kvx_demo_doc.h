#pragma once

#include <functional>
#include <string>

#include "app/app_settings.h"

// The document: it holds no data. New starts over with nothing, Open and
// Save let the user choose a file through a file dialog and neither read nor
// write it. A file chosen with Open joins the recent-file list, which is
// stored at once so that it survives however the program ends.
class CKVX_DemoDoc {
  public:
    enum class FileDialogKind { OPEN, SAVE };
    // Shows a file dialog of the given kind and returns the chosen path, or
    // "" when the user cancels.
    using FileDialog = std::function<std::string(FileDialogKind)>;

    // Uses the desktop's native file dialogs.
    explicit CKVX_DemoDoc(AppSettings& settings);
    CKVX_DemoDoc(AppSettings& settings, FileDialog fileDialog);

    // Starts a new, empty document; always succeeds.
    bool OnNewDocument();
    // Asks for a file titled "Open" and adds the chosen one to the recent-file
    // list; the file itself is not read.
    void OnFileOpen();
    // Asks for a file titled "Save As"; nothing is written, so no file is
    // created and an existing one is left untouched.
    void OnFileSave();

    // The file last chosen with Open since the last New, or "".
    const std::string& PathName() const { return m_strPathName; }

  private:
    AppSettings& m_settings;
    FileDialog m_fileDialog;
    std::string m_strPathName;
};
