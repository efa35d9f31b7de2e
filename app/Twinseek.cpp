// The program entry: the units start in their fixed order, the main window and the folder
// picker are read from their form resources, and the message loop runs until the main
// window closes. The forms are freed before the units end in reverse.
#include "Forms.h"
#include "ProgramUnits.h"
#include "uMain.h"
#include "uSelDir.h"

int main() {
  int exitCode = 0;
  TProgramUnits units;
  try {
    units.Start();
    Application->Initialize();
    Application->CreateForm(&MainForm);
    Application->CreateForm(&frmSelectDir);
    Application->Run();
  } catch (...) {
    // A unit that failed to start before the toolkit did leaves nothing to show it with.
    if (Application) Application->HandleException(Application);
    exitCode = 1;
  }
  if (Application) Application->DestroyForms();
  units.End();
  return exitCode;
}
