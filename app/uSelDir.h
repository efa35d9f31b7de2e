// The folder picker, a dialog of drive selector, directory list and the choice of
// subfolders; and the adding of a picked folder, with its subfolders, to a folder list.
#pragma once

#include <string>

#include "DirCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TfrmSelectDir : public TForm {
  DECLARE_CLASS(TfrmSelectDir, TForm)
 public:
  explicit TfrmSelectDir(TComponent* owner);

  TLabel* lDir = nullptr;
  TDriveComboBox* cbDrive = nullptr;
  TDirectoryListBox* lbDirectory = nullptr;
  TCheckBox* cbIncludeSubDirs = nullptr;
  TButton* bSelect = nullptr;
  TButton* bCancel = nullptr;
};

// The one picker of the program, made at start-up and kept, hidden, between picks.
extern TfrmSelectDir* frmSelectDir;

// Shows the picker modally. When it closes through bSelect, sets folder to the directory
// list's current folder in full and returns true; any other way leaves folder unchanged.
bool SelectFolder(TfrmSelectDir* picker, std::string& folder);

// Adds the folder to the list as a line that ends in a separator, unless a line equals it
// without regard to case by the user's locale; with includeSubDirs, then every subfolder of
// its tree in pre-order, each in the same way, also when the folder itself was listed. An
// empty path adds nothing. Hidden and system folders, and links to folders, are passed by,
// with everything below them; a folder that cannot be listed adds no subfolders.
void AddFolderTo(TStrings* folderList, const std::string& path, bool includeSubDirs);
