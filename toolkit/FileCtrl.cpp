// The file list over the toolkit's folder listing.
#include "FileCtrl.h"

#include "FileSys.h"

const TClassInfo& TFileListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TFileListBox>("TFileListBox", TCustomListBox::StaticClass())
          .Creatable()
          .String("Mask", &TFileListBox::Mask, &TFileListBox::SetMask);
  return info;
}

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) {
  items_->SetSorted(true);
  items_->SetDuplicates(TDuplicates::dupAccept);
}

namespace {
std::string NormalFolder(const std::string& folder) {
  std::string full = ExpandFileName(folder);
  bool driveRoot = full.size() == 3 && full[1] == ':';
  return driveRoot ? full : ExcludeTrailingPathDelimiter(full);
}
}  // namespace

void TFileListBox::SetDirectory(const std::string& folder) {
  std::string full = NormalFolder(folder);
  constexpr std::uint32_t kPathNotFound = 3;  // the system's error code
  if (full.empty() || !DirectoryExists(full)) throw EInOutError(SysErrorMessage(kPathNotFound));
  directory_ = full;
  Update();
}

void TFileListBox::SetMask(const std::string& value) {
  if (value == mask_) return;
  mask_ = value;
  if (!directory_.empty()) Update();
}

void TFileListBox::Update() {
  std::vector<TSearchRec> entries;
  if (!ListFolder(IncludeTrailingPathDelimiter(directory_) + mask_, 0, &entries))
    throw EInOutError(SysErrorMessage(LastOSError()));
  std::vector<std::string> names;
  names.reserve(entries.size());
  for (const TSearchRec& e : entries) names.push_back(e.Name);
  items_->SetLines(names);
}
