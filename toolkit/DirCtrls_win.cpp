// The drive selector over the system's COMBOBOX and the directory list over an owner-drawn
// LISTBOX, which paints the path as indented folders with a small folder picture.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "DirCtrls.h"
#include "FileSys.h"
#include "WinHandle.h"
#include "WinText.h"

namespace {

// Pixels of indentation per level of the directory list and the size of its pictures.
constexpr int kIndent = 8;
constexpr int kPictureWidth = 14;
constexpr int kPictureHeight = 11;
// How many drives the open drop-down shows before it scrolls.
constexpr int kDroppedDrives = 8;

char UpperLetter(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// The drive letter of a path such as "c:\folder", or 0 for a network path.
char DriveLetterOf(const std::string& path) {
  return path.size() >= 2 && path[1] == ':' ? UpperLetter(path[0]) : 0;
}

// The length of the part of an absolute path that names its root: "C:\" or "\\server\share\".
std::size_t RootLength(const std::string& path) {
  if (DriveLetterOf(path)) return std::min<std::size_t>(path.size(), 3);
  if (path.rfind("\\\\", 0) != 0) return 0;
  std::size_t server = path.find('\\', 2);
  if (server == std::string::npos) return path.size();
  std::size_t share = path.find('\\', server + 1);
  return share == std::string::npos ? path.size() : share + 1;
}

std::vector<std::string> SplitAtSeparators(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The absolute form of a folder path, with a trailing separator only on a root.
std::string FolderPathOf(const std::string& folder) {
  std::string full = ExpandFileName(folder);
  std::size_t root = RootLength(full);
  while (full.size() > root && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  return full;
}

// The names of the folder's subfolders that are neither hidden nor system folders.
std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<TSearchRec> found;
  if (!ListFolder(IncludeTrailingPathDelimiter(folder) + "*", faDirectory, &found))
    throw EInOutError(SysErrorMessage(LastOSError()));
  std::vector<std::string> names;
  for (const TSearchRec& entry : found)
    if ((entry.Attr & faDirectory) && entry.Name != "." && entry.Name != "..")
      names.push_back(entry.Name);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) < 0;
  });
  return names;
}

// The width of a single line of text in the font, as a label measures its caption.
int TextWidthInFont(const std::string& text, TFont* font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(font->Handle()));
  RECT r = {0, 0, 0, 0};
  std::wstring wide = Utf8ToWide(text);
  DrawTextW(dc, wide.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right - r.left;
}

std::string VolumeLabelOf(const std::string& root) {
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(Utf8ToWide(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr,
                             nullptr, nullptr, 0))
    return "";
  return WideToUtf8(label);
}

// What the drive selector shows for a drive: "c:", and the volume label of a fixed drive,
// whose label can be read without waiting for a disk or a network.
std::string DriveCaption(const std::string& root) {
  std::string caption = {static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))), ':'};
  if (GetDriveTypeW(Utf8ToWide(root).c_str()) != DRIVE_FIXED) return caption;
  std::string label = VolumeLabelOf(root);
  return label.empty() ? caption : caption + " [" + label + "]";
}

// A folder picture: a tab above a body; an open folder has a lighter front leaning over it.
void DrawFolderPicture(HDC dc, int left, int top, bool open) {
  HBRUSH back = CreateSolidBrush(RGB(0xE0, 0xB0, 0x40));
  HBRUSH front = CreateSolidBrush(RGB(0xFF, 0xE0, 0x80));
  HPEN outline = CreatePen(PS_SOLID, 1, RGB(0x80, 0x60, 0x10));
  HGDIOBJ oldPen = SelectObject(dc, outline);
  HGDIOBJ oldBrush = SelectObject(dc, back);
  Rectangle(dc, left, top, left + 6, top + 3);
  Rectangle(dc, left, top + 2, left + kPictureWidth - 1, top + kPictureHeight);
  SelectObject(dc, front);
  if (open) {
    POINT lid[] = {{left + 3, top + 5}, {left + kPictureWidth, top + 5},
                   {left + kPictureWidth - 3, top + kPictureHeight - 1}, {left, top + kPictureHeight - 1}};
    Polygon(dc, lid, 4);
  } else {
    Rectangle(dc, left + 1, top + 4, left + kPictureWidth - 2, top + 5);
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(outline);
  DeleteObject(front);
  DeleteObject(back);
}
}  // namespace

std::string MinimizePath(const std::string& path, int maxWidth,
                         const std::function<int(const std::string&)>& measure) {
  if (measure(path) <= maxWidth) return path;
  std::size_t rootLength = RootLength(path);
  std::string drive = ExcludeTrailingPathDelimiter(path.substr(0, rootLength));
  std::vector<std::string> names = SplitAtSeparators(path.substr(rootLength));
  if (names.empty()) return path;
  // The names that are still shown: all but the first few, which "..." stands for.
  std::string shown = names.back();
  std::vector<std::string> candidates;
  for (std::size_t first = names.size() - 1; first > 0; --first) {
    candidates.push_back(drive + "\\...\\" + shown);
    shown = names[first - 1] + "\\" + shown;
  }
  // The candidates were made from the shortest up; try them from the longest down.
  for (auto c = candidates.rbegin(); c != candidates.rend(); ++c)
    if (measure(*c) <= maxWidth) return *c;
  return "...\\" + names.back();
}

// ---- TDriveComboBox

const TClassInfo& TDriveComboBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TDriveComboBox>("TDriveComboBox", TWinControl::StaticClass())
          .Creatable()
          .Object("DirList", &TDriveComboBox::DirList, &TDriveComboBox::SetDirList)
          .Ignored("Drive", TTypeKind::tkChar)
          .Event("OnChange", &TDriveComboBox::OnChange);
  return info;
}

TDriveComboBox::TDriveComboBox(TComponent* owner)
    : TWinControl(owner), drive_(DriveLetterOf(GetCurrentDir())) {
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 145, 19);
  ReadDrives();
}

TDriveComboBox::~TDriveComboBox() {
  SetDirList(nullptr);
  DestroyHandle();
}

void TDriveComboBox::ReadDrives() {
  drives_.clear();
  wchar_t buffer[512] = {};
  DWORD length = GetLogicalDriveStringsW(511, buffer);
  for (const wchar_t* root = buffer; root < buffer + length && *root; root += wcslen(root) + 1)
    drives_.push_back(WideToUtf8(root));
}

void TDriveComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "COMBOBOX";
  params.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
}

void TDriveComboBox::InitializeWindow() {
  TWinControl::InitializeWindow();
  HWND h = Hwnd(Handle());
  SendMessageW(h, CB_RESETCONTENT, 0, 0);
  for (const std::string& root : drives_)
    SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(DriveCaption(root)).c_str()));
  SendMessageW(h, CB_SETMINVISIBLE, kDroppedDrives, 0);
  // The height of a drop-down list's window is that of its field and its open list together.
  int itemHeight = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(h, nullptr, 0, 0, Width(), Height() + kDroppedDrives * std::max(itemHeight, 1),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SelectDriveInWindow();
}

void TDriveComboBox::SelectDriveInWindow() {
  if (!HandleAllocated()) return;
  auto found = std::find_if(drives_.begin(), drives_.end(),
                            [this](const std::string& root) { return DriveLetterOf(root) == drive_; });
  int index = found == drives_.end() ? -1 : static_cast<int>(found - drives_.begin());
  SendMessageW(Hwnd(Handle()), CB_SETCURSEL, index, 0);
}

void TDriveComboBox::SetDrive(char letter) {
  letter = UpperLetter(letter);
  try {
    // A drive and its folder, such as "d:", name that drive's current folder.
    if (dirList_ && DriveLetterOf(dirList_->Directory()) != letter)
      dirList_->SetDirectory(std::string{letter, ':'});
  } catch (...) {
    SelectDriveInWindow();
    throw;
  }
  // Entering the folder has told this selector of the new drive already, unless there is
  // no list to enter it in.
  bool changed = letter != drive_;
  drive_ = letter;
  SelectDriveInWindow();
  if (changed && OnChange) OnChange(this);
}

void TDriveComboBox::FollowDirectory(const std::string& folder) {
  char letter = DriveLetterOf(folder);
  if (!letter || letter == drive_) return;
  drive_ = letter;
  SelectDriveInWindow();
  if (OnChange) OnChange(this);
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (list == dirList_) return;
  if (dirList_) {
    dirList_->SetDriveCombo(nullptr);
    dirList_->RemoveFreeNotification(this);
  }
  dirList_ = list;
  if (!list) return;
  list->FreeNotification(this);
  list->SetDriveCombo(this);
  FollowDirectory(list->Directory());
}

void TDriveComboBox::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == dirList_) dirList_ = nullptr;
}

void TDriveComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_COMMAND) {
    int index = static_cast<int>(SendMessageW(Hwnd(Handle()), CB_GETCURSEL, 0, 0));
    if (HIWORD(m.WParam) == CBN_SELCHANGE && index >= 0 && index < static_cast<int>(drives_.size()))
      SetDrive(drives_[index][0]);
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TDirectoryListBox

const TClassInfo& TDirectoryListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TDirectoryListBox>("TDirectoryListBox", TCustomListBox::StaticClass())
          .Creatable()
          .String("Directory", &TDirectoryListBox::Directory, &TDirectoryListBox::SetDirectory)
          .Object("DirLabel", &TDirectoryListBox::DirLabel, &TDirectoryListBox::SetDirLabel)
          .Event("OnChange", &TDirectoryListBox::OnChange);
  return info;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) {
  SetItemHeight(16);
  SetBounds(0, 0, 145, 97);
  // A working folder that cannot be listed leaves the list empty rather than making a
  // picker that cannot be created at all.
  try {
    SetDirectory(GetCurrentDir());
  } catch (const EInOutError&) {
    directory_ = FolderPathOf(GetCurrentDir());
  }
}

TDirectoryListBox::~TDirectoryListBox() {
  if (driveCombo_) driveCombo_->dirList_ = nullptr;
  SetDirLabel(nullptr);
}

void TDirectoryListBox::SetDirectory(const std::string& folder) {
  std::string full = FolderPathOf(folder);
  if (full.empty() || !DirectoryExists(full)) throw EInOutError(SysErrorMessage(ERROR_PATH_NOT_FOUND));
  std::vector<std::string> subfolders = ListSubfolders(full);
  std::vector<Entry> entries;
  std::size_t rootLength = RootLength(full);
  std::string path = full.substr(0, rootLength);
  entries.push_back({path, path, 0, true});
  for (const std::string& name : SplitAtSeparators(full.substr(rootLength))) {
    path = IncludeTrailingPathDelimiter(path) + name;
    entries.push_back({name, path, static_cast<int>(entries.size()), true});
  }
  int depth = static_cast<int>(entries.size());
  for (const std::string& name : subfolders)
    entries.push_back({name, IncludeTrailingPathDelimiter(full) + name, depth, false});
  directory_ = full;
  ShowEntries(std::move(entries));
  if (driveCombo_) driveCombo_->FollowDirectory(directory_);
  if (OnChange) OnChange(this);
}

void TDirectoryListBox::ShowEntries(std::vector<Entry> entries) {
  entries_ = std::move(entries);
  std::vector<std::string> names;
  int current = 0;
  for (const Entry& e : entries_) {
    names.push_back(e.Name);
    if (e.Open) current = static_cast<int>(names.size()) - 1;
  }
  items_->SetLines(names);
  SetItemIndex(current);
  UpdateDirLabel();
}

std::string TDirectoryListBox::EntryPath(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size())) ListIndexError(index);
  return entries_[index].Path;
}

void TDirectoryListBox::OpenEntry(int index) { SetDirectory(EntryPath(index)); }

void TDirectoryListBox::SetDirLabel(TLabel* label) {
  if (label == dirLabel_) return;
  if (dirLabel_) dirLabel_->RemoveFreeNotification(this);
  dirLabel_ = label;
  if (!label) return;
  label->FreeNotification(this);
  UpdateDirLabel();
}

void TDirectoryListBox::UpdateDirLabel() {
  if (!dirLabel_) return;
  TFont* font = dirLabel_->Font();
  dirLabel_->SetCaption(MinimizePath(directory_, Width(), [font](const std::string& text) {
    return TextWidthInFont(text, font);
  }));
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* combo) { driveCombo_ = combo; }

void TDirectoryListBox::Notification(TComponent* component, TOperation operation) {
  TCustomListBox::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == dirLabel_) dirLabel_ = nullptr;
  if (component == driveCombo_) driveCombo_ = nullptr;
}

void TDirectoryListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

void TDirectoryListBox::InitializeWindow() {
  TCustomListBox::InitializeWindow();
  SetItemHeight(ItemHeight());
}

void TDirectoryListBox::DrawEntryName(void* dc, const TRect& area, const std::string& name,
                                      bool selected) {
  HDC hdc = static_cast<HDC>(dc);
  RECT r = {area.Left, area.Top, area.Right, area.Bottom};
  TColor color = !Enabled() ? clGrayText : selected ? clHighlightText : Font()->Color();
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, ColorToRGB(color));
  HGDIOBJ old = SelectObject(hdc, static_cast<HFONT>(Font()->Handle()));
  std::wstring wide = Utf8ToWide(name);
  DrawTextW(hdc, wide.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(hdc, old);
}

void TDirectoryListBox::DrawEntry(void* drawItem) {
  auto* item = static_cast<DRAWITEMSTRUCT*>(drawItem);
  HDC dc = item->hDC;
  TRect area = {item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom};
  bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillWithColor(dc, area, selected ? clHighlight : Color());
  if (item->itemID < entries_.size()) {
    const Entry& entry = entries_[item->itemID];
    int left = area.Left + 2 + entry.Level * kIndent;
    DrawFolderPicture(dc, left, area.Top + (area.Height() - kPictureHeight) / 2, entry.Open);
    TRect text = {left + kPictureWidth + 4, area.Top, area.Right, area.Bottom};
    DrawEntryName(dc, text, entry.Name, selected);
  }
  if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &item->rcItem);
}

void TDirectoryListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_DRAWITEM) {
    DrawEntry(reinterpret_cast<void*>(m.LParam));
    m.Result = TRUE;
    return;
  }
  if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == LBN_DBLCLK) {
    int index = ItemIndex();
    if (index >= 0) OpenEntry(index);
  }
  TCustomListBox::WndProc(m);
}
