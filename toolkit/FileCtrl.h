// The file list: the files of one folder, read afresh each time its folder is set.
#pragma once

#include <string>

#include "StdCtrls.h"

class TFileListBox : public TCustomListBox {
  DECLARE_CLASS(TFileListBox, TCustomListBox)
 public:
  explicit TFileListBox(TComponent* owner);

  // The folder as the system reports it: absolute, without a trailing separator, except a
  // drive's root, which keeps its backslash.
  const std::string& Directory() const { return directory_; }
  // Enters a folder (relative to the current folder when not absolute) and lists it: every
  // entry that is neither a folder nor hidden, system or a volume label, in ascending order
  // of name without regard to case. Raises EInOutError when the folder cannot be listed.
  void SetDirectory(const std::string& folder);
  // The name pattern; "*.*" lists everything.
  const std::string& Mask() const { return mask_; }
  void SetMask(const std::string& value);
  // Reads the listing of the current folder again.
  void Update();

 private:
  std::string directory_;
  std::string mask_ = "*.*";
};
