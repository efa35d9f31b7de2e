// The main window: the folder list, the comparison that finds files of identical content,
// and the result list of pairs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ActnList.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "Forms.h"
#include "Grids.h"
#include "ImgList.h"
#include "Menus.h"
#include "StdCtrls.h"

// The program's messages, loaded from the string table each time they are shown.
extern const TResStringRec SWarningTitle;       // 65252
extern const TResStringRec SStopCompare;        // 65253
extern const TResStringRec SNoFolders;          // 65254
extern const TResStringRec SComparingFiles;     // 65255
extern const TResStringRec SPairsFound;         // 65256
extern const TResStringRec SStartCompare;       // 65257
extern const TResStringRec SBrowsingFolder;     // 65258
extern const TResStringRec SConfirmDelete;      // 65259
extern const TResStringRec SFolderNotFound;     // 65260

// One file that was read whole.
struct TFileRec {
  std::string FileName;     // the path as the scan composed it; the result list shows it
  std::uint32_t Size;       // the size in bytes, modulo 2^32
  std::uint32_t Checksum;   // the XOR of the file's little-endian 32-bit words
};

class TMainForm : public TForm {
  DECLARE_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  TLabel* lFolders = nullptr;
  TButton* bAddFolder = nullptr;
  TMemo* mmDirs = nullptr;
  TLabel* lFileList = nullptr;
  TButton* btnCompare = nullptr;
  TButton* btnExit = nullptr;
  TPanel* pInfo = nullptr;
  TLabel* lCopyright = nullptr;
  TFileListBox* FLB = nullptr;
  TStaticText* stInfo = nullptr;
  TStringGrid* sgFiles = nullptr;
  TStaticText* stKeyHint = nullptr;
  TButton* btnClear = nullptr;
  TStaticText* stCount = nullptr;
  TCheckBox* cbConfirmDelete = nullptr;
  TMainMenu* MainMenu = nullptr;
  TActionList* ActionList = nullptr;
  TAction* aAddFolder = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* N2 = nullptr;
  TAction* aClearFolderList = nullptr;
  TMenuItem* N3 = nullptr;
  TAction* aCompare = nullptr;
  TAction* aDeleteFile = nullptr;
  TMenuItem* N4 = nullptr;
  TMenuItem* N5 = nullptr;
  TMenuItem* N6 = nullptr;
  TMenuItem* Language1 = nullptr;
  TAction* aClose = nullptr;
  TImageList* Images = nullptr;
  TMenuItem* N7 = nullptr;

  // Set when aCompare runs again while a comparison reads files.
  bool StopRequested = false;
  // The records of the running comparison, in the order the files were read.
  std::unique_ptr<std::vector<TFileRec>> FileList;
  std::string SavedLang;

  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormResize(TObject* Sender);
  void aCompareExecute(TObject* Sender);
  void aAddFolderExecute(TObject* Sender);
  void aClearFolderListExecute(TObject* Sender);
  void aDeleteFileExecute(TObject* Sender);
  void aCloseExecute(TObject* Sender);
  void sgFilesKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);

  // Adds a folder to the folder list unless it stands there already, and with the picker's
  // check box ticked also all of its subfolders.
  void AddFolder(const std::string& Path);
  // Reads every folder of the folder list into FileList; raises the folder error.
  void ScanFolders();
  // Reads one file and appends its record, or nothing when it cannot be read whole.
  void AddFileRecord(const std::string& path);
  // Whether records I and J have equal size and checksum.
  bool SameContent(int I, int J) const;
  // Deletes the file named by the selected cell, after the confirmation when it is asked
  // for, and blanks every cell that names it.
  void DeleteSelectedFile();

 private:
  bool FolderListIsEmpty() const;
  void ResetResultList();
  void ScanFolder(const std::string& line);
  bool ReadingShouldEnd() const;
  void ListConfirmedPairs();
  void AddResultRow(const std::string& left, const std::string& right);
  void FinishComparison();
  void BlankCellsEqualTo(const std::string& path);
};

extern TMainForm* MainForm;
// The folder of the settings file: the program's folder and "INI\". Set when the unit
// starts, before any window exists, and emptied when it ends.
extern std::string IniDir;
void InitializeUMain();
void FinalizeUMain();
// True from the start of a comparison until its last step.
extern bool CompareRunning;
