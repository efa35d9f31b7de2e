// The folder picker's form and the walk that adds picked folders to the folder list.
#include "uSelDir.h"

#include <vector>

#include "FileSys.h"

TfrmSelectDir* frmSelectDir = nullptr;

const TClassInfo& TfrmSelectDir::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TfrmSelectDir>("TfrmSelectDir", TForm::StaticClass())
          .Field("lDir", &TfrmSelectDir::lDir)
          .Field("cbDrive", &TfrmSelectDir::cbDrive)
          .Field("lbDirectory", &TfrmSelectDir::lbDirectory)
          .Field("cbIncludeSubDirs", &TfrmSelectDir::cbIncludeSubDirs)
          .Field("bSelect", &TfrmSelectDir::bSelect)
          .Field("bCancel", &TfrmSelectDir::bCancel);
  return info;
}

TfrmSelectDir::TfrmSelectDir(TComponent* owner) : TForm(owner) {}

bool SelectFolder(TfrmSelectDir* picker, std::string& folder) {
  if (picker->ShowModal() != mrOk) return false;
  folder = picker->lbDirectory->Directory();
  return true;
}

namespace {
// A folder as a line of the folder list: a folder path that ends in a separator.
std::string FolderLine(const std::string& path) {
  char last = path.back();
  return last == '\\' || last == '/' ? path : path + "\\";
}

// The subfolders of a folder line in the order the file system returns them. Links are
// not followed: a junction or link that leads back to an ancestor would make the walk
// endless, and one that leads elsewhere would list folders that the user did not pick.
std::vector<std::string> WalkableSubfolders(const std::string& folderLine) {
  std::vector<TSearchRec> found;
  std::vector<std::string> names;
  if (!ListFolder(folderLine + "*", faDirectory, &found)) return names;
  for (const TSearchRec& entry : found) {
    bool folder = (entry.Attr & faDirectory) && !(entry.Attr & faReparsePoint);
    if (folder && entry.Name != "." && entry.Name != "..") names.push_back(entry.Name);
  }
  return names;
}

// Appends the folder's line and, with subfolders, those of its whole tree in pre-order.
void CollectFolderLines(const std::string& path, bool includeSubDirs,
                        std::vector<std::string>* lines) {
  std::string line = FolderLine(path);
  lines->push_back(line);
  if (!includeSubDirs) return;
  for (const std::string& name : WalkableSubfolders(line))
    CollectFolderLines(line + name, includeSubDirs, lines);
}
}  // namespace

void AddFolderTo(TStrings* folderList, const std::string& path, bool includeSubDirs) {
  if (path.empty()) return;
  std::vector<std::string> walk;
  CollectFolderLines(path, includeSubDirs, &walk);
  // The list is read and written once: a multi-line edit's lines are its whole text, and
  // a walk of thousands of folders must not parse that text again for every folder.
  std::vector<std::string> lines = folderList->Lines();
  const std::size_t listedBefore = lines.size();
  TStringList listed;
  listed.SetSorted(true);
  listed.SetLines(lines);
  for (const std::string& line : walk) {
    if (listed.IndexOf(line) >= 0) continue;
    listed.Add(line);
    lines.push_back(line);
  }
  if (lines.size() != listedBefore) folderList->SetLines(lines);
}
