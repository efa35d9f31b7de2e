// Message dialogs over the system's message box.
#include <windows.h>

#include "Dialogs.h"
#include "Forms.h"
#include "WinText.h"

void ShowMessage(const std::string& text) {
  std::wstring title = Utf8ToWide(Application ? Application->Title() : std::string());
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}
