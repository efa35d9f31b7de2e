// The program entry: the toolkit starts, the main window is read from its form resource,
// and the message loop runs until the main window closes.
#include "Forms.h"
#include "uMain.h"
#include "uSelDir.h"

int main() {
  InitToolkit();
  int exitCode = 0;
  try {
    Application->Initialize();
    Application->CreateForm(&MainForm);
    Application->CreateForm(&frmSelectDir);
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
    exitCode = 1;
  }
  DoneToolkit();
  return exitCode;
}
