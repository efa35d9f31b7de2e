// The standard controls over the system's STATIC, BUTTON, EDIT and LISTBOX windows.
#include <windows.h>
#include <commctrl.h>

#include "ActnList.h"
#include "Forms.h"
#include "ImgList.h"
#include "StdCtrls.h"
#include "WinHandle.h"
#include "WinText.h"

const TEnumInfo ScrollStyleType{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
namespace {
const TEnumInfo StaticBorderStyleType{"TStaticBorderStyle", {"sbsNone", "sbsSingle", "sbsSunken"}};


UINT DrawTextAlignment(TAlignment a) {
  return a == taCenter ? DT_CENTER : a == taRightJustify ? DT_RIGHT : DT_LEFT;
}
}  // namespace

// ---- TLabel

const TClassInfo& TLabel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TLabel>("TLabel", TGraphicControl::StaticClass())
          .Creatable()
          .Enum("Alignment", AlignmentType, &TLabel::Alignment, &TLabel::SetAlignment)
          .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
          .Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
          .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
          .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
  return info;
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustSize();
}

void TLabel::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  AdjustSize();
  Invalidate();
}

void TLabel::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  AdjustSize();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustSize();
}

void TLabel::TextChanged() {
  AdjustSize();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustSize();
  Invalidate();
}

void TLabel::AdjustSize() {
  if (!autoSize_ || HasState(csLoading)) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(Font()->Handle()));
  RECT r = {0, 0, wordWrap_ ? Width() : 0, 0};
  std::wstring text = Utf8ToWide(Caption().empty() ? std::string(" ") : Caption());
  DrawTextW(dc, text.c_str(), -1, &r,
            DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

void TLabel::Paint(void* dc) {
  TRect area = {0, 0, Width(), Height()};
  if (!transparent_) FillWithColor(dc, area, Color());
  DrawTextInFont(dc, area, Caption(), Font(), Enabled(),
                 DrawTextAlignment(alignment_) | (wordWrap_ ? DT_WORDBREAK : 0) |
                     (showAccelChar_ ? 0 : DT_NOPREFIX));
}

// ---- TStaticText

const TClassInfo& TStaticText::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TStaticText>("TStaticText", TWinControl::StaticClass())
          .Creatable()
          .Enum("Alignment", AlignmentType, &TStaticText::Alignment, &TStaticText::SetAlignment)
          .Bool("AutoSize", &TStaticText::AutoSize, &TStaticText::SetAutoSize)
          .Enum("BorderStyle", StaticBorderStyleType, &TStaticText::BorderStyle,
                &TStaticText::SetBorderStyle)
          .Bool("ShowAccelChar", &TStaticText::ShowAccelChar, &TStaticText::SetShowAccelChar);
  return info;
}

TStaticText::TStaticText(TComponent* owner) : TWinControl(owner) {
  // Under visual styles a static text shows its parent's background unless told otherwise.
  controlStyle_ = csParentBackground;
  SetBounds(0, 0, 65, 17);
}

void TStaticText::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TStaticText::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Invalidate();
}

void TStaticText::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "STATIC";
  // The text is drawn here, so that it shows in the control's own font, colour and
  // background whatever the system's static control would make of them.
  params.Style |= SS_NOTIFY | SS_OWNERDRAW;
  if (borderStyle_ == sbsSingle) params.Style |= WS_BORDER;
  if (borderStyle_ == sbsSunken) params.ExStyle |= WS_EX_STATICEDGE;
}

void TStaticText::Draw(void* dc, const TRect& area) {
  bool opaque = (controlStyle_ & csOpaque) && !(controlStyle_ & csParentBackground);
  FillWithColor(dc, area, opaque || !Parent() ? Color() : Parent()->Color());
  DrawTextInFont(dc, area, Caption(), Font(), Enabled(),
                 DrawTextAlignment(alignment_) | DT_WORDBREAK | (showAccelChar_ ? 0 : DT_NOPREFIX));
}

void TStaticText::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_DRAWITEM) {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    Draw(item->hDC, {item->rcItem.left, item->rcItem.top, item->rcItem.right, item->rcItem.bottom});
    m.Result = TRUE;
    return;
  }
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;  // the drawing fills the whole area
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TButton

const TClassInfo& TButton::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TButton>("TButton", TWinControl::StaticClass())
          .Creatable()
          .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
          .Bool("Default", &TButton::Default, &TButton::SetDefault)
          .Integer("ImageIndex", &TButton::ImageIndex, &TButton::SetImageIndex)
          .Object("Images", &TButton::Images, &TButton::SetImages)
          .Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
  return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

TButton::~TButton() {
  DestroyHandle();
  if (pictureList_) ImageList_Destroy(static_cast<HIMAGELIST>(pictureList_));
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (HandleAllocated()) SendMessageW(Hwnd(Handle()), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::SetImages(TImageList* images) {
  if (images == images_) return;
  images_ = images;
  if (images) images->FreeNotification(this);
  UpdatePicture();
}

void TButton::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  UpdatePicture();
}

void TButton::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) {
    images_ = nullptr;
    UpdatePicture();
  }
}

TImageList* TButton::EffectiveImages() const {
  if (images_) return images_;
  if (auto* action = ObjectAs<TCustomAction>(Action()))
    if (action->ActionList()) return action->ActionList()->Images();
  return nullptr;
}

void TButton::UpdatePicture() {
  if (!HandleAllocated()) return;
  if (pictureList_) ImageList_Destroy(static_cast<HIMAGELIST>(pictureList_));
  pictureList_ = nullptr;
  TImageList* images = EffectiveImages();
  BUTTON_IMAGELIST bil = {};
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    HIMAGELIST source = static_cast<HIMAGELIST>(images->Handle());
    HIMAGELIST one = ImageList_Create(images->Width(), images->Height(), ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON icon = ImageList_GetIcon(source, imageIndex_, ILD_NORMAL);
    ImageList_AddIcon(one, icon);
    DestroyIcon(icon);
    pictureList_ = one;
    bil.himl = one;
    bil.margin = {4, 0, 2, 0};
    bil.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  } else {
    bil.himl = nullptr;
  }
  SendMessageW(Hwnd(Handle()), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&bil));
  Invalidate();
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "BUTTON";
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::InitializeWindow() {
  TWinControl::InitializeWindow();
  UpdatePicture();
}

void TButton::Click() {
  if (modalResult_ != 0)
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TCheckBox

const TClassInfo& TCheckBox::StaticClass() {
  static const TClassInfo info = TClassBuilder<TCheckBox>("TCheckBox", TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

bool TCheckBox::Checked() const {
  if (!HandleAllocated()) return checked_;
  return SendMessageW(Hwnd(const_cast<TCheckBox*>(this)->Handle()), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool value) {
  checked_ = value;
  if (HandleAllocated()) SendMessageW(Hwnd(Handle()), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "BUTTON";
  params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::InitializeWindow() {
  TWinControl::InitializeWindow();
  SendMessageW(Hwnd(Handle()), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd() { checked_ = Checked(); }

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    checked_ = Checked();
    Click();
    return;
  }
  if (m.Msg == CN_BASE + WM_CTLCOLORSTATIC || m.Msg == CN_BASE + WM_CTLCOLORBTN) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<std::intptr_t>(BackgroundBrush());
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TMemo

const TClassInfo& TMemoStrings::StaticClass() {
  static const TClassInfo info = TClassBuilder<TMemoStrings>("TMemoStrings", TStrings::StaticClass());
  return info;
}

int TMemoStrings::Count() const {
  TStringList lines;
  lines.SetText(memo_->GetText());
  return lines.Count();
}

std::string TMemoStrings::Get(int index) const {
  TStringList lines;
  lines.SetText(memo_->GetText());
  return lines.Get(index);
}

namespace {
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}
}  // namespace

void TMemoStrings::SetLines(const std::vector<std::string>& lines) {
  memo_->SetText(JoinLines(lines));
}

void TMemoStrings::Put(int index, const std::string& s) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) ListIndexError(index);
  lines[index] = s;
  SetLines(lines);
}

void TMemoStrings::Insert(int index, const std::string& s) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index > static_cast<int>(lines.size())) ListIndexError(index);
  lines.insert(lines.begin() + index, s);
  SetLines(lines);
}

void TMemoStrings::Delete(int index) {
  std::vector<std::string> lines = Lines();
  if (index < 0 || index >= static_cast<int>(lines.size())) ListIndexError(index);
  lines.erase(lines.begin() + index);
  SetLines(lines);
}

void TMemoStrings::Clear() { memo_->SetText(""); }

const TClassInfo& TMemo::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TMemo>("TMemo", TWinControl::StaticClass())
          .Creatable()
          .Object("Lines", &TMemo::Lines)
          .Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
          .Enum("ScrollBars", ScrollStyleType, &TMemo::ScrollBars, &TMemo::SetScrollBars)
          .Bool("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs)
          .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
  return info;
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner), lines_(new TMemoStrings(this)) {
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() {
  DestroyHandle();
  delete lines_;
}

void TMemo::SetReadOnly(bool value) {
  readOnly_ = value;
  if (HandleAllocated()) SendMessageW(Hwnd(Handle()), EM_SETREADONLY, value, 0);
}

void TMemo::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "EDIT";
  params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL;
  if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
  if (readOnly_) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TMemo::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    DefaultHandler(m);
    // Tab moves the focus on, and focusing by Tab does not select the whole text.
    m.Result &= ~DLGC_HASSETSEL;
    auto* msg = reinterpret_cast<MSG*>(m.LParam);
    if (!wantTabs_ && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB)
      m.Result &= ~(DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
    return;
  }
  if (m.Msg == CN_BASE + WM_CTLCOLOREDIT) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    m.Result = reinterpret_cast<std::intptr_t>(BackgroundBrush());
    return;
  }
  TWinControl::WndProc(m);
}

// ---- TCustomListBox

const TClassInfo& TCustomListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomListBox>("TCustomListBox", TWinControl::StaticClass())
          .Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight)
          .Object("Items", &TCustomListBox::Items)
          .Event("OnDblClick", &TCustomListBox::OnDblClick);
  return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), items_(new TStringList) {
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  SetBounds(0, 0, 121, 97);
  items_->OnChange = [this](TObject*) { SyncItems(); };
}

TCustomListBox::~TCustomListBox() {
  DestroyHandle();
  delete items_;
}

void TCustomListBox::SetItemHeight(int value) {
  itemHeight_ = value;
  if (HandleAllocated()) SendMessageW(Hwnd(Handle()), LB_SETITEMHEIGHT, 0, value);
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(Hwnd(const_cast<TCustomListBox*>(this)->Handle()), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int value) {
  itemIndex_ = value;
  if (HandleAllocated()) SendMessageW(Hwnd(Handle()), LB_SETCURSEL, value, 0);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "LISTBOX";
  params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWindow() {
  TWinControl::InitializeWindow();
  SyncItems();
}

void TCustomListBox::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (Visible() && windowStale_) SyncItems();
}

void TCustomListBox::SyncItems() {
  windowStale_ = !HandleAllocated() || !Visible();
  if (windowStale_) return;
  HWND h = Hwnd(Handle());
  SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  SendMessageW(h, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_->Count(); ++i)
    SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_->Get(i).c_str()));
  SendMessageW(h, LB_SETCURSEL, itemIndex_, 0);
  SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(h, nullptr, TRUE);
}

void TCustomListBox::WndProc(TMessage& m) {
  if (m.Msg == CN_BASE + WM_COMMAND) {
    if (HIWORD(m.WParam) == LBN_DBLCLK && OnDblClick) OnDblClick(this);
    if (HIWORD(m.WParam) == LBN_SELCHANGE) itemIndex_ = ItemIndex();
    return;
  }
  TWinControl::WndProc(m);
}

const TClassInfo& TListBox::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TListBox>("TListBox", TCustomListBox::StaticClass()).Creatable();
  return info;
}
