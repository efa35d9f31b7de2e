// The language store's modification flag and its write-back on release.
#include "kxINIFile.h"

#include "Dialogs.h"
#include "FileSys.h"
#include "deVadirazaConst.h"

const TClassInfo& TkxINIFile::StaticClass() {
  static const TClassInfo info("TkxINIFile", &TMemIniFile::StaticClass(), {});
  return info;
}

TkxINIFile::TkxINIFile(const std::string& fileName) : TMemIniFile(fileName) {}

TkxINIFile::~TkxINIFile() {
  if (writeBackDone_) return;
  try {
    WriteBack();
  } catch (...) {
    // A destructor cannot pass the error on; callers that care have called WriteBack.
  }
}

// Each change first goes to the base, so that a failed change leaves the flag alone.
void TkxINIFile::WriteString(const std::string& section, const std::string& ident,
                             const std::string& value) {
  TMemIniFile::WriteString(section, ident, value);
  Changed();
}

void TkxINIFile::EraseSection(const std::string& section) {
  TMemIniFile::EraseSection(section);
  Changed();
}

void TkxINIFile::DeleteKey(const std::string& section, const std::string& ident) {
  TMemIniFile::DeleteKey(section, ident);
  Changed();
}

void TkxINIFile::Changed() {
  modified_ = true;
  writeBackDone_ = false;
}

void TkxINIFile::UpdateFile() {
  TMemIniFile::UpdateFile();
  modified_ = false;
}

void TkxINIFile::WriteBack() {
  writeBackDone_ = true;
  if (FileExists(FileName))
    WriteBackExisting();
  else
    RecreateMissing();
}

void TkxINIFile::WriteBackExisting() {
  if (!modified_) return;
  // When the attributes cannot be read, the file is treated as read-only rather than
  // risking a write that would fail.
  const std::int64_t attributes = FileGetAttr(FileName);
  if (attributes < 0 || (attributes & faReadOnly) != 0) {
    ShowMessage(ReadOnlyFileMessage(FileName));
    return;
  }
  UpdateFile();
}

void TkxINIFile::RecreateMissing() {
  TStringList sections;
  ReadSections(sections);
  if (sections.Count() == 0) return;
  // A folder that has gone, or any other reason the file cannot be made, is given up
  // silently: the store was only ever read. The file is made only where none is at this
  // moment, so that one that appeared since the check is never emptied.
  if (!TFileHandle::CreateNew(FileName).IsOpen()) return;
  try {
    UpdateFile();
  } catch (...) {
    // The empty file made above would otherwise stand in for the language.
    DeleteFileAt(FileName);
    throw;
  }
}
