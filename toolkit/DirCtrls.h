// The drive selector and the directory list: a drop-down of the system's drives and a list
// that shows one folder as its path from the root and its subfolders, for folder pickers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "StdCtrls.h"

class TDirectoryListBox;

// A drop-down list of the system's drives. Choosing a drive makes that drive's current
// folder the current folder of the directory list it drives.
class TDriveComboBox : public TWinControl {
  DECLARE_CLASS(TDriveComboBox, TWinControl)
 public:
  explicit TDriveComboBox(TComponent* owner);
  ~TDriveComboBox() override;

  // The selected drive as an upper-case letter.
  char Drive() const { return drive_; }
  // Selects the drive and, when it differs from the list's, enters that drive's current
  // folder in the directory list. Raises EInOutError when that folder cannot be listed,
  // and then keeps the drive that was selected before.
  void SetDrive(char letter);
  TDirectoryListBox* DirList() const { return dirList_; }
  void SetDirList(TDirectoryListBox* list);
  // The roots of the drives that the system reported when the window was made ("C:\").
  const std::vector<std::string>& Drives() const { return drives_; }

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDirectoryListBox;
  // Shows the drive of the list's folder without entering anything.
  void FollowDirectory(const std::string& folder);
  void ReadDrives();
  void SelectDriveInWindow();

  char drive_;
  TDirectoryListBox* dirList_ = nullptr;
  std::vector<std::string> drives_;
};

// The current folder as a path (the drive's root and each folder down to the current one)
// and then the current folder's subfolders, hidden and system ones left out, in ascending
// order of name without regard to case. A double click on an entry enters it.
class TDirectoryListBox : public TCustomListBox {
  DECLARE_CLASS(TDirectoryListBox, TCustomListBox)
 public:
  explicit TDirectoryListBox(TComponent* owner);
  ~TDirectoryListBox() override;

  // The current folder as the system reports it: absolute, without a trailing separator,
  // except a drive's root, which keeps its backslash. The process's working folder at first.
  const std::string& Directory() const { return directory_; }
  // Enters a folder (relative to the process's working folder when not absolute). Raises
  // EInOutError and changes nothing when the folder cannot be listed.
  void SetDirectory(const std::string& folder);
  // The full folder that entry index stands for.
  std::string EntryPath(int index) const;
  // Enters the folder of entry index, as a double click on it does.
  void OpenEntry(int index);

  // The label that shows the current folder, shortened to the list's width in its font.
  TLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(TLabel* label);

  TNotifyEvent OnChange;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TDriveComboBox;
  struct Entry {
    std::string Name;  // what the list shows: the root with its separator, or a folder name
    std::string Path;  // the folder in full
    int Level;         // the depth of indentation
    bool Open;         // a folder of the path rather than a subfolder
  };
  void SetDriveCombo(TDriveComboBox* combo);
  void ShowEntries(std::vector<Entry> entries);
  void UpdateDirLabel();
  void DrawEntry(void* drawItem);
  void DrawEntryName(void* dc, const TRect& area, const std::string& name, bool selected);

  std::string directory_;
  std::vector<Entry> entries_;
  TLabel* dirLabel_ = nullptr;
  TDriveComboBox* driveCombo_ = nullptr;
};

// The path shortened until it is at most maxWidth wide by measure: the folder names after
// the drive are replaced from the left, one at a time, by "...", and at the end the drive is
// dropped too. The last folder name is always kept.
std::string MinimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& measure);
