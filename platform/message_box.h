#pragma once

#include <string>

// Modal message boxes with one OK button, captioned "KVX Demo".
//
// In batch mode the text goes to standard error as one line instead and the box counts as
// answered at once, so nothing ever waits for a click. Batch mode is in effect when it was asked
// for, and also whenever no X display can be opened.

// Shows text and returns once the box is answered.
void ShowMessageBox(const std::string& text);

void SetMessageBoxBatchMode(bool batch);
bool MessageBoxBatchMode();
