// Controls over Win32 windows: creation, the window procedure, painting of windowless
// children, anchors, fonts, colours, hints and tab order.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "ActnList.h"
#include "Consts.h"
#include "Controls.h"
#include "Forms.h"
#include "WinHandle.h"
#include "WinText.h"

const TEnumInfo AnchorKindType{"TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"}};
const TEnumInfo AlignmentType{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};

namespace {
const wchar_t kToolkitClass[] = L"TwinseekWindow";
int nextControlId = 100;

}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= 1u << ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= 1u << ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= 1u << ssAlt;
  return s;
}

// ---- TControl

const TClassInfo& TControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TControl>("TControl", TComponent::StaticClass())
          .Integer("Left", &TControl::Left, &TControl::SetLeft)
          .Integer("Top", &TControl::Top, &TControl::SetTop)
          .Integer("Width", &TControl::Width, &TControl::SetWidth)
          .Integer("Height", &TControl::Height, &TControl::SetHeight)
          .Integer("ClientWidth", &TControl::ClientWidth, &TControl::SetClientWidth)
          .Integer("ClientHeight", &TControl::ClientHeight, &TControl::SetClientHeight)
          .Set("Anchors", AnchorKindType, &TControl::Anchors, &TControl::SetAnchors)
          .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
          .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
          .String("Caption", &TControl::Caption, &TControl::SetCaption)
          .String("Hint", &TControl::Hint, &TControl::SetHint)
          .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
          .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
          .Object("Font", &TControl::Font)
          .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
          .Integer("Color", &TControl::Color, &TControl::SetColor)
          .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
          .Object("Action", &TControl::Action, &TControl::SetAction)
          .Event("OnClick", &TControl::OnClick);
  return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(new TFont) {
  font_->OnChange = [this](TObject* sender) { OwnFontChanged(sender); };
}

TControl::~TControl() {
  SetAction(nullptr);
  if (parent_) parent_->RemoveControl(this);
  delete font_;
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* container = ObjectAs<TWinControl>(parent)) SetParent(container);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!anchoring_ && !HasState(csLoading)) UpdateAnchorRules();
  BoundsChanged();
  Invalidate();
}

void TControl::SetAnchors(TAnchors value) {
  if (value == anchors_) return;
  anchors_ = value;
  if (!HasState(csLoading)) UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (!parent_) {
    rules_.valid = false;
    return;
  }
  int pw = parent_->ClientWidth(), ph = parent_->ClientHeight();
  rules_ = {left_, top_, pw - (left_ + width_), ph - (top_ + height_), pw, ph, true};
}

void TControl::AnchorToParent(int pw, int ph) {
  if (!rules_.valid) return;
  int l = left_, t = top_, w = width_, h = height_;
  auto place = [](bool nearEdge, bool farEdge, int nearGap, int farGap, int originalParent, int parent,
                   int& pos, int& size) {
    if (nearEdge && farEdge) {
      pos = nearGap;
      size = std::max(0, parent - nearGap - farGap);
    } else if (farEdge) {
      pos = parent - farGap - size;
    } else if (!nearEdge && originalParent > 0) {
      pos = MulDiv(nearGap + size / 2, parent, originalParent) - size / 2;
    }
  };
  place(anchors_ & (1u << akLeft), anchors_ & (1u << akRight), rules_.left, rules_.right,
        rules_.parentWidth, pw, l, w);
  place(anchors_ & (1u << akTop), anchors_ & (1u << akBottom), rules_.top, rules_.bottom,
        rules_.parentHeight, ph, t, h);
  anchoring_ = true;
  SetBounds(l, t, w, h);
  anchoring_ = false;
}

void TControl::SetVisible(bool value) {
  if (value == visible_) return;
  if (!value) Invalidate();
  visible_ = value;
  VisibleChanged();
}

void TControl::VisibleChanged() { Invalidate(); }

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Invalidate();
}

void TControl::SetText(const std::string& value) {
  if (value == text_) return;
  text_ = value;
  TextChanged();
}

void TControl::SetHint(const std::string& value) { hint_ = value; }

void TControl::SetShowHint(bool value) {
  showHint_ = value;
  parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool value) { parentShowHint_ = value; }

bool TControl::EffectiveShowHint() const {
  const TControl* c = this;
  while (c->parentShowHint_ && c->parent_) c = c->parent_;
  return c->showHint_;
}

void TControl::OwnFontChanged(TObject*) {
  if (!applyingParentFont_) parentFont_ = false;
  FontChanged();
}

void TControl::FontChanged() { Invalidate(); }

void TControl::SetParentFont(bool value) {
  parentFont_ = value;
  if (value && parent_) {
    applyingParentFont_ = true;
    font_->Assign(parent_->Font());
    applyingParentFont_ = false;
  }
}

void TControl::SetColor(TColor value) {
  parentColor_ = false;
  if (value == color_) return;
  color_ = value;
  ColorChanged();
}

void TControl::SetParentColor(bool value) {
  parentColor_ = value;
  if (value && parent_ && color_ != parent_->Color()) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

void TControl::SetControlStyle(std::uint32_t value) {
  if (value == controlStyle_) return;
  controlStyle_ = value;
  Invalidate();
}

void TControl::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) action_->UnregisterClient(this);
  action_ = action;
  if (action_) {
    action_->RegisterClient(this);
    action_->FreeNotification(this);
    if (auto* a = ObjectAs<TCustomAction>(action_)) a->ApplyTo(this, HasState(csLoading));
  }
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == action_) action_ = nullptr;
}

void TControl::Click() {
  // A bound action does the work; its handler is the control's click.
  if (action_)
    action_->Execute();
  else if (OnClick)
    OnClick(this);
}

void TControl::Invalidate() {}

void TControl::ScaleBy(int m, int d) {
  anchoring_ = true;
  SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
  anchoring_ = false;
  if (!parentFont_) font_->SetHeight(MulDiv(font_->Height(), m, d));
}

TCustomForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->parent_) c = c->parent_;
  return ObjectAs<TCustomForm>(const_cast<TControl*>(c));
}

void TControl::Loaded() {
  TComponent::Loaded();
  UpdateAnchorRules();
}

// ---- TGraphicControl

const TClassInfo& TGraphicControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TGraphicControl>("TGraphicControl", TControl::StaticClass());
  return info;
}

void TGraphicControl::Invalidate() {
  TWinControl* parent = Parent();
  if (!parent || !parent->HandleAllocated()) return;
  RECT r = {Left(), Top(), Left() + Width(), Top() + Height()};
  InvalidateRect(Hwnd(parent->Handle()), &r, TRUE);
}

// ---- TWinControl

const TClassInfo& TWinControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TWinControl>("TWinControl", TControl::StaticClass())
          .Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1, 32767)
          .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
          .Event("OnKeyDown", &TWinControl::OnKeyDown)
          .Event("OnEnter", &TWinControl::OnEnter)
          .Event("OnExit", &TWinControl::OnExit);
  return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  if (Parent()) Parent()->RemoveControl(this);
  // Children leave first, so that their windows go before this one.
  while (!windowedChildren_.empty()) windowedChildren_.back()->SetParent(nullptr);
  while (!graphicChildren_.empty()) graphicChildren_.back()->SetParent(nullptr);
  DestroyHandle();
  if (brush_) DeleteObject(static_cast<HBRUSH>(brush_));
}

int TWinControl::ControlCount() const {
  return static_cast<int>(graphicChildren_.size() + windowedChildren_.size());
}

TControl* TWinControl::Controls(int index) const {
  int graphics = static_cast<int>(graphicChildren_.size());
  if (index < 0 || index >= ControlCount()) ListIndexError(index);
  return index < graphics ? graphicChildren_[index] : windowedChildren_[index - graphics];
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  if (auto* win = ObjectAs<TWinControl>(control)) {
    windowedChildren_.push_back(win);
    tabList_.push_back(win);
  } else {
    graphicChildren_.push_back(control);
  }
  if (control->parentFont_) control->SetParentFont(true);
  if (control->parentColor_) control->SetParentColor(true);
  if (!control->HasState(csLoading)) control->UpdateAnchorRules();
  if (HandleAllocated()) {
    if (auto* win = ObjectAs<TWinControl>(control))
      win->HandleNeeded();
    else
      control->Invalidate();
  }
}

void TWinControl::RemoveControl(TControl* control) {
  // A control may be on its way out and no longer know its own class, so both lists are
  // searched rather than asking it which one it is in.
  auto win = std::find(windowedChildren_.begin(), windowedChildren_.end(), control);
  if (win != windowedChildren_.end()) {
    (*win)->DestroyHandle();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), *win), tabList_.end());
    windowedChildren_.erase(win);
  } else {
    control->Invalidate();
    graphicChildren_.erase(std::remove(graphicChildren_.begin(), graphicChildren_.end(), control),
                           graphicChildren_.end());
  }
  control->parent_ = nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  // While a form resource is read the siblings that come later do not exist yet; the order
  // is put together once they all do.
  if (HasState(csReading)) {
    tabOrderRead_ = value;
    return;
  }
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  int index = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + index, this);
  if (Parent()->HandleAllocated()) Parent()->SortWindowsByTabOrder();
}

void TWinControl::Loaded() {
  TControl::Loaded();
  std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
    auto key = [](TWinControl* c) { return c->tabOrderRead_ < 0 ? INT_MAX : c->tabOrderRead_; };
    return key(a) < key(b);
  });
  if (HandleAllocated()) SortWindowsByTabOrder();
}

void TWinControl::SortWindowsByTabOrder() {
  HWND previous = HWND_TOP;
  for (TWinControl* child : tabList_) {
    if (!child->HandleAllocated()) continue;
    SetWindowPos(Hwnd(child->handle_), previous, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    previous = Hwnd(child->handle_);
  }
}

void TWinControl::SetTabStop(bool value) {
  if (value == tabStop_) return;
  tabStop_ = value;
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrW(Hwnd(handle_), GWL_STYLE);
  SetWindowLongPtrW(Hwnd(handle_), GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == Hwnd(handle_); }

bool TWinControl::CanFocus() const { return Showing() && Enabled(); }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation(LoadResString(&SCannotFocus));
  ::SetFocus(Hwnd(Handle()));
}

int TWinControl::ClientWidth() const {
  if (!handle_) return Width();
  RECT r;
  GetClientRect(Hwnd(handle_), &r);
  return r.right - r.left;
}

int TWinControl::ClientHeight() const {
  if (!handle_) return Height();
  RECT r;
  GetClientRect(Hwnd(handle_), &r);
  return r.bottom - r.top;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (handle_) {
    MoveWindow(Hwnd(handle_), Left(), Top(), Width(), Height(), TRUE);
  } else if (resized) {
    AlignControls();
  }
}

void TWinControl::AlignControls() {
  int w = ClientWidth(), h = ClientHeight();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->AnchorToParent(w, h);
}

void TWinControl::SetEnabled(bool value) {
  TControl::SetEnabled(value);
  if (handle_) EnableWindow(Hwnd(handle_), value);
}

void TWinControl::SetHint(const std::string& value) {
  if (value == Hint()) return;
  TControl::SetHint(value);
  UpdateHintTool();
}

std::string TWinControl::GetText() const {
  if (!handle_) return TControl::GetText();
  int n = GetWindowTextLengthW(Hwnd(handle_));
  std::wstring text(n + 1, L'\0');
  n = GetWindowTextW(Hwnd(handle_), text.data(), n + 1);
  return WideToUtf8(text.data(), n);
}

void TWinControl::SetText(const std::string& value) {
  if (handle_ && GetText() != value) SetWindowTextW(Hwnd(handle_), Utf8ToWide(value).c_str());
  TControl::SetText(value);
}

void TWinControl::TextChanged() {}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(Hwnd(handle_), nullptr, TRUE);
}

void TWinControl::ScaleBy(int m, int d) {
  TControl::ScaleBy(m, d);
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->ScaleBy(m, d);
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(Hwnd(handle_), WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->ParentFont()) child->SetParentFont(true);
  }
  Invalidate();
}

void TWinControl::ColorChanged() {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (child->ParentColor()) child->SetParentColor(true);
  }
  Invalidate();
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(Hwnd(handle_), Visible() ? SW_SHOWNA : SW_HIDE);
}

void* TWinControl::BackgroundBrush() {
  std::uint32_t rgb = ColorToRGB(Color());
  if (brush_ && rgb == brushColor_) return brush_;
  if (brush_) DeleteObject(static_cast<HBRUSH>(brush_));
  brush_ = CreateSolidBrush(rgb);
  brushColor_ = rgb;
  return brush_;
}

void* TWinControl::ParentWindow() { return nullptr; }

void* TWinControl::Handle() {
  if (!handle_) CreateWnd();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (Parent()) params.Style |= WS_CHILD;
  if (Visible() && Parent()) params.Style |= WS_VISIBLE;
  if (tabStop_) params.Style |= WS_TABSTOP;
  if (!Enabled()) params.Style |= WS_DISABLED;
}

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
void RegisterToolkitClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ToolkitWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  wc.lpszClassName = kToolkitClass;
  RegisterClassExW(&wc);
  registered = true;
}
}  // namespace

void TWinControl::CreateWnd() {
  HWND parentWindow = Parent() ? Hwnd(Parent()->Handle()) : Hwnd(ParentWindow());
  if (handle_) return;  // the parent's creation made this window already
  TCreateParams params;
  CreateParams(params);
  bool ownClass = params.WinClassName.empty();
  if (ownClass) RegisterToolkitClass();
  HMENU id = Parent() ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextControlId++)) : nullptr;
  // Every window is a Unicode one, so that typed text of any script reaches the controls
  // whole; the toolkit's UTF-8 meets UTF-16 here and in the A-calls the system converts.
  std::wstring className = ownClass ? kToolkitClass : Utf8ToWide(params.WinClassName);
  HWND hwnd = CreateWindowExW(params.ExStyle, className.c_str(), Utf8ToWide(TControl::GetText()).c_str(),
                              params.Style, Left(), Top(), Width(), Height(), parentWindow, id,
                              GetModuleHandleW(nullptr), ownClass ? this : nullptr);
  if (!hwnd) RaiseLastOSError();
  if (!ownClass) AttachWindow(hwnd);
  InitializeWindow();
}

void TWinControl::InitializeWindow() {
  SendMessageW(Hwnd(handle_), WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
  for (TWinControl* child : windowedChildren_) child->HandleNeeded();
  SortWindowsByTabOrder();
  UpdateHintTool();
}

void TWinControl::AttachWindow(void* handle) {
  handle_ = handle;
  SetWindowLongPtrW(Hwnd(handle), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Hwnd(handle), GWLP_WNDPROC));
  if (current != ToolkitWindowProc) {
    oldWndProc_ = reinterpret_cast<void*>(current);
    SetWindowLongPtrW(Hwnd(handle), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolkitWindowProc));
  }
}

void TWinControl::DetachWindow() {
  if (!handle_) return;
  HWND hwnd = Hwnd(handle_);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (oldWndProc_) SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
  handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TWinControl* child : windowedChildren_) child->DestroyHandle();
  DestroyWnd();
  HWND hwnd = Hwnd(handle_);
  TControl::SetText(GetText());  // keep what the user typed
  DetachWindow();
  oldWndProc_ = nullptr;
  DestroyWindow(hwnd);
}

TWinControl* TWinControl::FromHandle(void* handle) {
  if (!handle) return nullptr;
  return reinterpret_cast<TWinControl*>(GetWindowLongPtrW(Hwnd(handle), GWLP_USERDATA));
}

std::intptr_t TWinControl::Perform(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  if (oldWndProc_)
    m.Result = CallWindowProcW(reinterpret_cast<WNDPROC>(oldWndProc_), Hwnd(handle_), m.Msg,
                               m.WParam, m.LParam);
  else
    m.Result = DefWindowProcW(Hwnd(handle_), m.Msg, m.WParam, m.LParam);
}

void TWinControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::PaintControls(void* dc) {
  HDC hdc = static_cast<HDC>(dc);
  for (TControl* child : graphicChildren_) {
    if (!child->Visible()) continue;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, child->Left(), child->Top(), child->Left() + child->Width(),
                      child->Top() + child->Height());
    SetViewportOrgEx(hdc, child->Left(), child->Top(), nullptr);
    static_cast<TGraphicControl*>(child)->Paint(dc);
    RestoreDC(hdc, saved);
  }
}

namespace {
HWND ToolTipWindow() {
  static HWND tip = nullptr;
  if (!tip) {
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  return tip;
}
}  // namespace

void TWinControl::UpdateHintTool() {
  if (!handle_ || !Parent()) return;
  TOOLINFOW ti = {};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = GetParent(Hwnd(handle_));
  ti.uId = reinterpret_cast<UINT_PTR>(handle_);
  SendMessageW(ToolTipWindow(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  if (Hint().empty() || !EffectiveShowHint()) return;
  std::wstring text = Utf8ToWide(Hint());
  ti.lpszText = text.data();
  SendMessageW(ToolTipWindow(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

namespace {
// The child control that a notification of the parent concerns.
TWinControl* NotificationTarget(const TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_HSCROLL:
    case WM_VSCROLL:
      return TWinControl::FromHandle(reinterpret_cast<void*>(m.LParam));
    case WM_NOTIFY:
      return TWinControl::FromHandle(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      return item->CtlType == ODT_MENU ? nullptr : TWinControl::FromHandle(item->hwndItem);
    }
  }
  return nullptr;
}
}  // namespace

void TWinControl::WndProc(TMessage& m) {
  if (TWinControl* target = NotificationTarget(m); target && target != this) {
    m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    if (m.Result != 0 || m.Msg == WM_COMMAND || m.Msg == WM_NOTIFY) return;
  }
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      std::uint16_t key = static_cast<std::uint16_t>(m.WParam);
      KeyDown(key, KeyboardShiftState());
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (OnEnter) OnEnter(this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      if (OnExit) OnExit(this);
      return;
    case WM_SIZE:
      DefaultHandler(m);
      if (!oldWndProc_) AlignControls();
      return;
    case WM_ERASEBKGND:
      if (oldWndProc_) break;
      {
        RECT r;
        GetClientRect(Hwnd(handle_), &r);
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(BackgroundBrush()));
        m.Result = 1;
      }
      return;
    case WM_PAINT:
      if (oldWndProc_) break;
      {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Hwnd(handle_), &ps);
        PaintWindow(dc);
        PaintControls(dc);
        EndPaint(Hwnd(handle_), &ps);
      }
      return;
  }
  DefaultHandler(m);
}

struct TWindowProcAccess {
  static void Attach(TWinControl* control, HWND hwnd) { control->AttachWindow(hwnd); }
  static void Detach(TWinControl* control) { control->DetachWindow(); }
};

namespace {
std::intptr_t DispatchToControl(TWinControl* control, TMessage& message) {
  try {
    control->WndProc(message);
  } catch (...) {
    if (Application) Application->HandleException(control);
  }
  return message.Result;
}
}  // namespace

LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    if (auto* control = static_cast<TWinControl*>(cs->lpCreateParams))
      TWindowProcAccess::Attach(control, hwnd);
  }
  TWinControl* control = TWinControl::FromHandle(hwnd);
  if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  std::intptr_t result = DispatchToControl(control, m);
  if (msg == WM_NCDESTROY && TWinControl::FromHandle(hwnd) == control)
    TWindowProcAccess::Detach(control);
  return result;
}

const TClassInfo& TCustomControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomControl>("TCustomControl", TWinControl::StaticClass());
  return info;
}
