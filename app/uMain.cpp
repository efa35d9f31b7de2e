// The main window's handlers and the comparison.
#include "uMain.h"

#include <algorithm>

#include "Dialogs.h"
#include "FileSys.h"
#include "uSelDir.h"
#include "uTwins.h"

RESOURCE_STRING(SWarningTitle, 65252);
RESOURCE_STRING(SStopCompare, 65253);
RESOURCE_STRING(SNoFolders, 65254);
RESOURCE_STRING(SComparingFiles, 65255);
RESOURCE_STRING(SPairsFound, 65256);
RESOURCE_STRING(SStartCompare, 65257);
RESOURCE_STRING(SBrowsingFolder, 65258);
RESOURCE_STRING(SConfirmDelete, 65259);
RESOURCE_STRING(SFolderNotFound, 65260);

TMainForm* MainForm = nullptr;
bool CompareRunning = false;
std::string IniDir;

void InitializeUMain() { IniDir = ExtractFilePath(ApplicationFileName()) + "INI\\"; }

void FinalizeUMain() { IniDir.clear(); }

namespace {
// The one buffer that every read of every file goes into: 4095 words of 32 bits.
constexpr std::uint32_t kReadBufferSize = 16380;
std::uint32_t ReadBuffer[kReadBufferSize / 4];

std::uint32_t XorOfWords(const std::uint32_t* words, std::uint32_t count) {
  std::uint32_t x = 0;
  for (std::uint32_t w = 0; w < count; ++w) x ^= words[w];  // the words are little-endian
  return x;
}
}  // namespace

const TClassInfo& TMainForm::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TMainForm>("TMainForm", TForm::StaticClass())
          .Field("lFolders", &TMainForm::lFolders)
          .Field("bAddFolder", &TMainForm::bAddFolder)
          .Field("mmDirs", &TMainForm::mmDirs)
          .Field("lFileList", &TMainForm::lFileList)
          .Field("btnCompare", &TMainForm::btnCompare)
          .Field("btnExit", &TMainForm::btnExit)
          .Field("pInfo", &TMainForm::pInfo)
          .Field("lCopyright", &TMainForm::lCopyright)
          .Field("FLB", &TMainForm::FLB)
          .Field("stInfo", &TMainForm::stInfo)
          .Field("sgFiles", &TMainForm::sgFiles)
          .Field("stKeyHint", &TMainForm::stKeyHint)
          .Field("btnClear", &TMainForm::btnClear)
          .Field("stCount", &TMainForm::stCount)
          .Field("cbConfirmDelete", &TMainForm::cbConfirmDelete)
          .Field("MainMenu", &TMainForm::MainMenu)
          .Field("ActionList", &TMainForm::ActionList)
          .Field("aAddFolder", &TMainForm::aAddFolder)
          .Field("N1", &TMainForm::N1)
          .Field("N2", &TMainForm::N2)
          .Field("aClearFolderList", &TMainForm::aClearFolderList)
          .Field("N3", &TMainForm::N3)
          .Field("aCompare", &TMainForm::aCompare)
          .Field("aDeleteFile", &TMainForm::aDeleteFile)
          .Field("N4", &TMainForm::N4)
          .Field("N5", &TMainForm::N5)
          .Field("N6", &TMainForm::N6)
          .Field("Language1", &TMainForm::Language1)
          .Field("aClose", &TMainForm::aClose)
          .Field("Images", &TMainForm::Images)
          .Field("N7", &TMainForm::N7)
          .Method("FormShow", &TMainForm::FormShow)
          .Method("FormClose", &TMainForm::FormClose)
          .Method("FormResize", &TMainForm::FormResize)
          .Method("aCompareExecute", &TMainForm::aCompareExecute)
          .Method("aAddFolderExecute", &TMainForm::aAddFolderExecute)
          .Method("aClearFolderListExecute", &TMainForm::aClearFolderListExecute)
          .Method("aDeleteFileExecute", &TMainForm::aDeleteFileExecute)
          .Method("aCloseExecute", &TMainForm::aCloseExecute)
          .Method("sgFilesKeyDown", &TMainForm::sgFilesKeyDown);
  return info;
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {}

TMainForm::~TMainForm() = default;

void TMainForm::FormShow(TObject* Sender) {
  // Under visual styles static texts take their parent's background; these two paint
  // their own, so that their coloured text stays readable.
  for (TStaticText* text : {stKeyHint, stInfo})
    text->SetControlStyle((text->ControlStyle() | csOpaque) & ~csParentBackground);
}

void TMainForm::FormClose(TObject* Sender, TCloseAction& Action) {}

void TMainForm::FormResize(TObject* Sender) {
  int width = std::max(0, (sgFiles->ClientWidth() - 20) / 2);
  sgFiles->SetColWidths(0, width);
  sgFiles->SetColWidths(1, width);
}

void TMainForm::aAddFolderExecute(TObject* Sender) {
  std::string folder;
  if (SelectFolder(frmSelectDir, folder)) AddFolder(folder);
}

void TMainForm::AddFolder(const std::string& Path) {
  AddFolderTo(mmDirs->Lines(), Path, frmSelectDir->cbIncludeSubDirs->Checked());
}

void TMainForm::aClearFolderListExecute(TObject* Sender) { mmDirs->Lines()->Clear(); }

void TMainForm::aCloseExecute(TObject* Sender) { Close(); }

bool TMainForm::FolderListIsEmpty() const {
  // Lines of nothing but blanks name no folder either.
  for (const std::string& line : mmDirs->Lines()->Lines())
    if (!Trim(line).empty()) return false;
  return true;
}

void TMainForm::ResetResultList() {
  sgFiles->SetRowCount(1);
  sgFiles->SetCells(0, 0, "");
  sgFiles->SetCells(1, 0, "");
}

void TMainForm::aCompareExecute(TObject* Sender) {
  if (CompareRunning) {
    StopRequested = true;
    return;
  }
  CompareRunning = true;
  StopRequested = false;
  try {
    btnCompare->SetCaption(LoadResString(&SStopCompare));
    stInfo->Show();
    if (FolderListIsEmpty()) {
      Application->MessageBox(LoadResString(&SNoFolders), LoadResString(&SWarningTitle),
                              kMessageBoxOk | kMessageBoxIconWarning);
    } else {
      ResetResultList();
      FileList = std::make_unique<std::vector<TFileRec>>();
      ScanFolders();
      stInfo->SetCaption(LoadResString(&SComparingFiles));
      ListConfirmedPairs();
      FileList.reset();
    }
  } catch (...) {
    FileList.reset();
    FinishComparison();
    throw;
  }
  FinishComparison();
}

void TMainForm::FinishComparison() {
  stInfo->Hide();
  bool hasPairs = sgFiles->RowCount() >= 1 && !sgFiles->Cells(0, 0).empty();
  std::string count;
  std::exception_ptr error;
  try {
    if (hasPairs) count = LoadResFmt(&SPairsFound, {sgFiles->RowCount()});
  } catch (...) {
    error = std::current_exception();  // a count text that does not format; reported below
  }
  stCount->SetCaption(count);
  btnCompare->SetCaption(LoadResString(&SStartCompare));
  CompareRunning = false;
  if (error) std::rethrow_exception(error);
}

void TMainForm::ScanFolders() {
  const int lines = mmDirs->Lines()->Count();
  for (int i = 0; i < lines; ++i) {
    // A line removed while the files are read counts as an empty one.
    std::string line = i < mmDirs->Lines()->Count() ? mmDirs->Lines()->Get(i) : std::string();
    if (Trim(line).empty()) continue;
    ScanFolder(line);
    if (ReadingShouldEnd()) return;
  }
}

void TMainForm::ScanFolder(const std::string& line) {
  try {
    FLB->SetDirectory(line);
  } catch (const Exception&) {
    throw Exception(LoadResFmt(&SFolderNotFound, {line}));
  }
  const std::string folder = FLB->Directory();
  stInfo->SetCaption(LoadResFmt(&SBrowsingFolder, {folder}));
  const int names = FLB->Items()->Count();
  for (int k = 0; k < names; ++k) {
    // A drive's root keeps its backslash, so its paths carry two.
    AddFileRecord(folder + "\\" + FLB->Items()->Get(k));
    Application->ProcessMessages();
    if (ReadingShouldEnd()) return;
  }
}

bool TMainForm::ReadingShouldEnd() const { return ModalResult() != 0 || StopRequested; }

void TMainForm::AddFileRecord(const std::string& path) {
  try {
    TFileHandle file = TFileHandle::OpenExclusive(path);
    if (!file.IsOpen()) return;
    std::uint32_t checksum = 0, read = 0;
    for (;;) {
      // A file whose reading fails part way gets no record: a partial checksum would pair it
      // with files it does not equal.
      if (!file.Read(ReadBuffer, kReadBufferSize, &read)) return;
      if (read == 0) break;
      checksum ^= XorOfWords(ReadBuffer, read / 4);
    }
    std::int64_t size = file.Size();
    if (size < 0) return;
    FileList->push_back({path, static_cast<std::uint32_t>(size), checksum});
  } catch (...) {
    // Any failure with one file skips that file; the scan goes on with the next.
  }
}

bool TMainForm::SameContent(int I, int J) const {
  const TFileRec& a = (*FileList)[I];
  const TFileRec& b = (*FileList)[J];
  return a.Size == b.Size && a.Checksum == b.Checksum;
}

void TMainForm::ListConfirmedPairs() {
  // The program is closing: reading on to confirm candidates would only hold it up.
  if (ModalResult() != 0) return;
  // A stop request that ended the reading has been honoured; a new one ends the
  // confirmation, and only the pairs confirmed by then are listed.
  StopRequested = false;
  const std::vector<TFileRec>& records = *FileList;
  std::vector<TRecordClass> classes;
  TContentConfirmer confirmer([this] {
    Application->ProcessMessages();
    return !ReadingShouldEnd();
  });
  for (const TRecordClass& group : CandidateGroups(records))
    if (!confirmer.Confirm(records, group, &classes)) break;

  std::vector<std::pair<int, int>> pairs;
  ForEachPair(static_cast<int>(records.size()), classes,
              [&](int i, int j) { pairs.emplace_back(i, j); });
  if (pairs.empty()) return;
  sgFiles->SetRowCount(static_cast<int>(pairs.size()));
  for (int row = 0; row < static_cast<int>(pairs.size()); ++row) {
    sgFiles->SetCells(0, row, records[pairs[row].first].FileName);
    sgFiles->SetCells(1, row, records[pairs[row].second].FileName);
  }
}

void TMainForm::sgFilesKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
  // DEL deletes whatever the modifier keys; the key stays for the list's own handling.
  constexpr std::uint16_t kDeleteKey = 46;
  if (Key == kDeleteKey) aDeleteFile->Execute();
}

void TMainForm::aDeleteFileExecute(TObject* Sender) { DeleteSelectedFile(); }

void TMainForm::DeleteSelectedFile() {
  const std::string path = sgFiles->Cells(sgFiles->Col(), sgFiles->Row());
  if (path.empty()) return;
  if (cbConfirmDelete->Checked() &&
      MessageDlg(LoadResFmt(&SConfirmDelete, {path}), mtConfirmation,
                 MsgDlgButtonsOf({mbYes, mbNo, mbCancel})) != mrYes)
    return;
  // A file that is gone, read-only, in use or not a file stays listed; nothing is said.
  if (!DeleteFileAt(path)) return;
  BlankCellsEqualTo(path);
}

void TMainForm::BlankCellsEqualTo(const std::string& path) {
  // Letter case counts: another spelling may name another file on a case-sensitive disk.
  for (int col = 0; col < 2; ++col)
    for (int row = 0; row < sgFiles->RowCount(); ++row)
      if (sgFiles->Cells(col, row) == path) sgFiles->SetCells(col, row, "");
}
