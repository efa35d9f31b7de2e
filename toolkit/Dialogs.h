// Message dialogs: the simple message box and the typed message dialog.
#pragma once

#include <cstdint>
#include <string>

// Shows text with an OK button, titled with the application's title, and waits until the
// user closes it.
void ShowMessage(const std::string& text);
