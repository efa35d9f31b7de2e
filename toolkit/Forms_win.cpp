// Forms as top-level windows, modal showing, the message loop and the error display.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "FileSys.h"
#include "FormReader.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "WinHandle.h"
#include "WinText.h"

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

const TEnumInfo PositionType{"TPosition",
                             {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                              "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                              "poOwnerFormCenter"}};
const TEnumInfo FormBorderStyleType{
    "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};

const TClassInfo& TScrollingWinControl::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TScrollingWinControl>("TScrollingWinControl", TWinControl::StaticClass());
  return info;
}

const TClassInfo& TCustomForm::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomForm>("TCustomForm", TScrollingWinControl::StaticClass())
          .Enum("Position", PositionType, &TCustomForm::Position, &TCustomForm::SetPosition)
          .Enum("BorderStyle", FormBorderStyleType, &TCustomForm::BorderStyle,
                &TCustomForm::SetBorderStyle)
          .Object("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
          .Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
          .Bool("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
          .Object("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
          .Event("OnCreate", &TCustomForm::OnCreate)
          .Event("OnDestroy", &TCustomForm::OnDestroy)
          .Event("OnShow", &TCustomForm::OnShow)
          .Event("OnHide", &TCustomForm::OnHide)
          .Event("OnResize", &TCustomForm::OnResize)
          .Event("OnClose", &TCustomForm::OnClose);
  return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner) {
  SetVisible(false);
  SetParentFont(false);
  SetParentColor(false);
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (OnDestroy) OnDestroy(this);
  if (Screen) Screen->RemoveForm(this);
}

void TCustomForm::ReadFormResource() { ReadComponentResource(this, UpperCase(ClassName())); }

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  // The resource gives positions at its own resolution; the screen may have another.
  int dpi = Screen ? Screen->PixelsPerInch() : 96;
  if (scaled_ && pixelsPerInch_ > 0 && dpi != pixelsPerInch_) {
    int cw = clientWidth_, ch = clientHeight_;
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ScaleBy(dpi, pixelsPerInch_);
    Font()->SetHeight(MulDiv(Font()->Height(), dpi, pixelsPerInch_));
    clientWidth_ = MulDiv(cw, dpi, pixelsPerInch_);
    clientHeight_ = MulDiv(ch, dpi, pixelsPerInch_);
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->UpdateAnchorRules();
  }
  if (OnCreate) OnCreate(this);
}

int TCustomForm::ClientWidth() const {
  return HandleAllocated() ? TScrollingWinControl::ClientWidth() : clientWidth_;
}

int TCustomForm::ClientHeight() const {
  return HandleAllocated() ? TScrollingWinControl::ClientHeight() : clientHeight_;
}

void TCustomForm::SetClientWidth(int v) {
  clientWidth_ = v;
  if (HandleAllocated()) SizeWindowToClient();
}

void TCustomForm::SetClientHeight(int v) {
  clientHeight_ = v;
  if (HandleAllocated()) SizeWindowToClient();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  bool resized = width != Width() || height != Height();
  TScrollingWinControl::SetBounds(left, top, width, height);
  if (HandleAllocated()) {
    clientWidth_ = TScrollingWinControl::ClientWidth();
    clientHeight_ = TScrollingWinControl::ClientHeight();
  } else if (resized) {
    // Without a window the client area is what the frame of this style leaves of the bounds.
    TCreateParams params;
    CreateParams(params);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, menu_ != nullptr, params.ExStyle);
    clientWidth_ = std::max<int>(0, width - (frame.right - frame.left));
    clientHeight_ = std::max<int>(0, height - (frame.bottom - frame.top));
  }
}

void TCustomForm::SizeWindowToClient() {
  RECT r = {0, 0, clientWidth_, clientHeight_};
  HWND h = Hwnd(Handle());
  AdjustWindowRectEx(&r, GetWindowLongW(h, GWL_STYLE), GetMenu(h) != nullptr,
                     GetWindowLongW(h, GWL_EXSTYLE));
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
  // A menu bar that wraps takes client height; ask the window what it really gave.
  RECT client;
  GetClientRect(h, &client);
  if (client.bottom != clientHeight_ && client.bottom > 0)
    SetBounds(Left(), Top(), Width(), Height() + clientHeight_ - client.bottom);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) { borderStyle_ = value; }

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  if (HandleAllocated()) ::SetMenu(Hwnd(Handle()), menu_ ? static_cast<HMENU>(menu_->Handle()) : nullptr);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TScrollingWinControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == menu_) menu_ = nullptr;
  if (component == activeControl_) activeControl_ = nullptr;
}

void* TCustomForm::ParentWindow() {
  // Secondary forms stay above the main form.
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  return main && main != this && main->HandleAllocated() ? main->Handle() : nullptr;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  params.Style &= ~(WS_CHILD | WS_VISIBLE);
  switch (borderStyle_) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsSingle: params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER; break;
    default: params.Style |= WS_OVERLAPPEDWINDOW; break;
  }
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomForm::InitializeWindow() {
  if (menu_) ::SetMenu(Hwnd(Handle()), static_cast<HMENU>(menu_->Handle()));
  TScrollingWinControl::InitializeWindow();
  SizeWindowToClient();
  ApplyPosition();
}

void TCustomForm::ApplyPosition() {
  if (position_ != poScreenCenter && position_ != poDesktopCenter && position_ != poMainFormCenter &&
      position_ != poOwnerFormCenter)
    return;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int left = work.left + (work.right - work.left - Width()) / 2;
  int top = work.top + (work.bottom - work.top - Height()) / 2;
  SetBounds(std::max<int>(work.left, left), std::max<int>(work.top, top), Width(), Height());
}

void TCustomForm::VisibleChanged() {
  if (Visible()) {
    HWND h = Hwnd(Handle());
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    if (!shownOnce_) {
      shownOnce_ = true;
      FocusFirstControl();
    }
    DoShow();
  } else if (HandleAllocated()) {
    ShowWindow(Hwnd(Handle()), SW_HIDE);
    if (OnHide) OnHide(this);
  }
}

void TCustomForm::FocusFirstControl() {
  // The focus goes where the keyboard user expects it: the chosen control, or else the
  // first one in tab order.
  if (activeControl_ && activeControl_->CanFocus())
    activeControl_->SetFocus();
  else if (HWND first = GetNextDlgTabItem(Hwnd(Handle()), nullptr, FALSE))
    ::SetFocus(first);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this)
    Application->Terminate();
  else if (action == TCloseAction::caMinimize)
    ShowWindow(Hwnd(Handle()), SW_MINIMIZE);
  else
    Hide();
}

int TCustomForm::ShowModal() {
  // Every other top-level window of the program takes no input meanwhile.
  std::vector<HWND> disabled;
  for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowEnabled(Hwnd(f->Handle()))) {
      EnableWindow(Hwnd(f->Handle()), FALSE);
      disabled.push_back(Hwnd(f->Handle()));
    }
  }
  modal_ = true;
  modalResult_ = mrNone;
  Show();
  SetForegroundWindow(Hwnd(Handle()));
  // A dialog shown again would otherwise have no focused control.
  if (!IsChild(Hwnd(Handle()), GetFocus())) FocusFirstControl();
  while (modalResult_ == mrNone && !Application->Terminated()) {
    Application->ProcessMessages();
    if (modalResult_ == mrNone) WaitMessage();
  }
  int result = modalResult_ == mrNone ? mrCancel : modalResult_;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  for (HWND h : disabled) EnableWindow(h, TRUE);
  Hide();
  modal_ = false;
  if (!disabled.empty()) SetActiveWindow(disabled.front());
  return result;
}

namespace {
// The first button on parent or below it, in child order, that pick accepts.
TButton* FindButton(TWinControl* parent, const std::function<bool(TButton*)>& pick) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (auto* button = ObjectAs<TButton>(child); button && button->CanFocus() && pick(button))
      return button;
    if (auto* container = ObjectAs<TWinControl>(child))
      if (TButton* found = FindButton(container, pick)) return found;
  }
  return nullptr;
}

// The button that Enter works: the focused button, or else the form's default button.
TButton* EnterKeyButton(TCustomForm* form) {
  if (TButton* focused = FindButton(form, [](TButton* b) { return b->Focused(); })) return focused;
  return FindButton(form, [](TButton* b) { return b->Default(); });
}
}  // namespace

void TCustomForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    // The system's dialog keys: Enter asks the window for its default button and clicks
    // what it names; Escape arrives as the command IDCANCEL from no control.
    case DM_GETDEFID:
      if (TButton* button = EnterKeyButton(this)) {
        m.Result = MAKELONG(GetDlgCtrlID(Hwnd(button->Handle())), DC_HASDEFID);
        return;
      }
      break;
    case WM_COMMAND:
      if (m.LParam == 0 && menu_ && menu_->DispatchCommand(LOWORD(m.WParam))) return;
      if (m.LParam == 0 && LOWORD(m.WParam) == IDCANCEL) {
        if (TButton* button = FindButton(this, [](TButton* b) { return b->Cancel(); })) button->Click();
        return;
      }
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (menu_ && menu_->HandleOwnerDraw(m)) return;
      break;
    case WM_SIZE:
      TScrollingWinControl::WndProc(m);
      if (OnResize && m.WParam != SIZE_MINIMIZED) OnResize(this);
      return;
  }
  TScrollingWinControl::WndProc(m);
}

const TClassInfo& TForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TForm>("TForm", TCustomForm::StaticClass());
  return info;
}

const TClassInfo& TCustomFrame::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomFrame>("TCustomFrame", TScrollingWinControl::StaticClass());
  return info;
}

const TClassInfo& TDataModule::StaticClass() {
  static const TClassInfo info = TClassBuilder<TDataModule>("TDataModule", TComponent::StaticClass());
  return info;
}

// ---- TApplication

const TClassInfo& TApplication::StaticClass() {
  static const TClassInfo info = TClassBuilder<TApplication>("TApplication", TComponent::StaticClass());
  return info;
}

namespace {
std::string TitleFromExecutable() {
  std::string name = ExtractFileName(ApplicationFileName());
  std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.resize(dot);
  if (name.empty()) return name;
  std::size_t first = Utf8CharLength(name, 0);
  return name.substr(0, first) + AnsiLowerCase(name.substr(first));
}
}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(TitleFromExecutable()) {}

TApplication::~TApplication() { DestroyComponents(); }

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
}

void TApplication::AdoptForm(TCustomForm* form) {
  if (!mainForm_) mainForm_ = form;
  form->ReadFormResource();
}

bool TApplication::HandleMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return false;
  }
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root || !IsDialogMessageW(root, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (HandleMessage()) {
  }
}

void TApplication::Run() {
  if (mainForm_) mainForm_->Show();
  while (!terminated_) {
    ProcessMessages();
    if (!terminated_) WaitMessage();
  }
}

void TApplication::DestroyForms() {
  DestroyComponents();
  mainForm_ = nullptr;
}

void TApplication::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  PostQuitMessage(0);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = Hwnd(mainForm_->Handle());
  return ::MessageBoxW(owner, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), flags);
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const std::exception& e) {
    if (OnException)
      OnException(sender, e);
    else
      ShowException(e);
  } catch (...) {
    std::runtime_error unknown("Unknown error");
    if (OnException)
      OnException(sender, unknown);
    else
      ShowException(unknown);
  }
}

void TApplication::ShowException(const std::exception& e) {
  std::string message = e.what();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBox(message, title_, MB_OK | MB_ICONSTOP);
}

// ---- TScreen

const TClassInfo& TScreen::StaticClass() {
  static const TClassInfo info = TClassBuilder<TScreen>("TScreen", TComponent::StaticClass());
  return info;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TCustomForm* TScreen::FindForm(const std::string& name) const {
  for (TCustomForm* f : forms_)
    if (AnsiSameText(f->Name(), name)) return f;
  return nullptr;
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}
