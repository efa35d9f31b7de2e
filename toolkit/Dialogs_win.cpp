// Message dialogs: the system's message box, and a dialog built in memory whose buttons
// carry the toolkit's translatable captions.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "Consts.h"
#include "Dialogs.h"
#include "Forms.h"
#include "WinText.h"

void ShowMessage(const std::string& text) {
  std::wstring title = Utf8ToWide(Application ? Application->Title() : std::string());
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}

namespace {

constexpr int kIconId = 100, kTextId = 101;

struct ButtonKind {
  TMsgDlgBtn button;
  int result;  // the close result, which is also the system's id of such a button
  const TResStringRec* caption;
};
const ButtonKind kButtons[] = {
    {mbYes, mrYes, &SMsgDlgYes},       {mbNo, mrNo, &SMsgDlgNo},
    {mbOK, mrOk, &SMsgDlgOK},          {mbCancel, mrCancel, &SMsgDlgCancel},
    {mbAbort, mrAbort, &SMsgDlgAbort}, {mbRetry, mrRetry, &SMsgDlgRetry},
    {mbIgnore, mrIgnore, &SMsgDlgIgnore},
};

// A dialog template assembled word by word, as DialogBoxIndirect reads it.
class TemplateWriter {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& s) {
    for (wchar_t c : s) Word(c);
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2) Word(0);
  }
  void Item(DWORD style, WORD id, WORD systemClass, const std::wstring& text) {
    AlignToDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);                         // extended style
    for (int i = 0; i < 4; ++i) Word(0);  // placed in pixels once the dialog exists
    Word(id);
    Word(0xFFFF);
    Word(systemClass);
    Text(text);
    Word(0);  // no creation data
  }
  const WORD* Data() const { return words_.data(); }

 private:
  std::vector<WORD> words_;
};

struct DialogState {
  std::wstring text;
  LPCWSTR icon;
  std::vector<int> buttons;  // close results, in the order shown
  int defaultButton;
  int cancelButton;
};

SIZE MeasureText(HWND dialog, const std::wstring& text) {
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT r = {0, 0, MulDiv(400, GetDeviceCaps(dc, LOGPIXELSX), 96), 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return {r.right, r.bottom};
}

// Places the icon, the text and the row of buttons, sizes the dialog to them and centres it.
void LayOut(HWND dialog, const DialogState& state) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  auto px = [dpi](int v) { return MulDiv(v, dpi, 96); };
  const int margin = px(12), gap = px(6), buttonW = px(75), buttonH = px(23), icon = px(32);
  SIZE text = MeasureText(dialog, state.text);
  int rowWidth = static_cast<int>(state.buttons.size()) * (buttonW + gap) - gap;
  int width = std::max(margin + icon + margin + static_cast<int>(text.cx) + margin, rowWidth + 2 * margin);
  int top = std::max(icon, static_cast<int>(text.cy));
  int height = margin + top + px(16) + buttonH + margin;
  MoveWindow(GetDlgItem(dialog, kIconId), margin, margin, icon, icon, FALSE);
  MoveWindow(GetDlgItem(dialog, kTextId), margin + icon + margin,
             margin + std::max(0, (icon - static_cast<int>(text.cy)) / 2), text.cx, text.cy, FALSE);
  int x = (width - rowWidth) / 2;
  for (int id : state.buttons) {
    MoveWindow(GetDlgItem(dialog, id), x, height - margin - buttonH, buttonW, buttonH, FALSE);
    x += buttonW + gap;
  }
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int w = frame.right - frame.left, h = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER);
}

INT_PTR CALLBACK MessageDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<DialogState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SendDlgItemMessageW(dialog, kIconId, STM_SETICON,
                          reinterpret_cast<WPARAM>(LoadIconW(nullptr, state->icon)), 0);
      LayOut(dialog, *state);
      SetFocus(GetDlgItem(dialog, state->defaultButton));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      // Escape and the close box arrive as IDCANCEL, whatever the dialog's cancel button is.
      if (id == IDCANCEL) id = state->cancelButton;
      if (std::find(state->buttons.begin(), state->buttons.end(), id) != state->buttons.end()) {
        EndDialog(dialog, id);
        return TRUE;
      }
      return FALSE;
    }
  }
  return FALSE;
}

std::string TitleOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return LoadResString(&SMsgDlgWarning);
    case mtError: return LoadResString(&SMsgDlgError);
    case mtInformation: return LoadResString(&SMsgDlgInformation);
    case mtConfirmation: return LoadResString(&SMsgDlgConfirm);
    default: return Application ? Application->Title() : std::string();
  }
}

LPCWSTR IconOf(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return IDI_WARNING;
    case mtError: return IDI_ERROR;
    case mtInformation: return IDI_INFORMATION;
    case mtConfirmation: return IDI_QUESTION;
    default: return IDI_APPLICATION;
  }
}

int FirstOf(const std::vector<int>& shown, std::initializer_list<int> wanted) {
  for (int w : wanted)
    if (std::find(shown.begin(), shown.end(), w) != shown.end()) return w;
  return shown.front();
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  DialogState state{Utf8ToWide(text), IconOf(type), {}, 0, 0};
  for (const ButtonKind& b : kButtons)
    if (buttons & (1u << b.button)) state.buttons.push_back(b.result);
  if (state.buttons.empty()) state.buttons.push_back(mrOk);
  state.defaultButton = FirstOf(state.buttons, {mrYes, mrOk});
  state.cancelButton = FirstOf(state.buttons, {mrCancel, mrNo, mrOk});

  TemplateWriter t;
  t.Dword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  t.Dword(0);
  t.Word(static_cast<WORD>(2 + state.buttons.size()));
  for (int i = 0; i < 4; ++i) t.Word(0);
  t.Word(0);  // no menu
  t.Word(0);  // the system's dialog class
  t.Text(Utf8ToWide(TitleOf(type)));
  t.Word(8);
  t.Text(L"MS Shell Dlg");
  t.Item(SS_ICON, kIconId, 0x0082, L"");
  t.Item(SS_LEFT | SS_NOPREFIX, kTextId, 0x0082, state.text);
  for (int id : state.buttons) {
    const ButtonKind* kind = std::find_if(std::begin(kButtons), std::end(kButtons),
                                          [id](const ButtonKind& b) { return b.result == id; });
    DWORD style = WS_TABSTOP | (id == state.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    t.Item(style, static_cast<WORD>(id), 0x0080, Utf8ToWide(LoadResString(kind->caption)));
  }
  HWND owner = GetActiveWindow();
  INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEW>(t.Data()), owner,
                                           MessageDialogProc, reinterpret_cast<LPARAM>(&state));
  if (result <= 0) RaiseLastOSError();
  return static_cast<int>(result);
}
