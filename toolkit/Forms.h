// Forms, the application object with its message loop and error display, and the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

// The application object has a MessageBox of its own; the system header's macro of that
// name must not rename it in the toolkit's Windows sources.
#ifdef MessageBox
#undef MessageBox
#endif

class TMainMenu;

class TScrollingWinControl : public TWinControl {
  DECLARE_CLASS(TScrollingWinControl, TWinControl)
 public:
  using TWinControl::TWinControl;
};

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
extern const TEnumInfo PositionType;
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
extern const TEnumInfo FormBorderStyleType;

// Flags of TApplication::MessageBox (the system's values): buttons, then icons.
constexpr unsigned kMessageBoxOk = 0x00, kMessageBoxYesNoCancel = 0x03, kMessageBoxYesNo = 0x04;
constexpr unsigned kMessageBoxIconStop = 0x10, kMessageBoxIconQuestion = 0x20,
                   kMessageBoxIconWarning = 0x30, kMessageBoxIconInformation = 0x40;

// The close results of dialogs and buttons.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
              mrYes = 6, mrNo = 7;

class TCustomForm : public TScrollingWinControl {
  DECLARE_CLASS(TCustomForm, TScrollingWinControl)
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Reads the form resource named after the form's class into this form.
  void ReadFormResource();

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetClientWidth(int v) override;
  void SetClientHeight(int v) override;
  void SetBounds(int left, int top, int width, int height) override;

  TPosition Position() const { return position_; }
  void SetPosition(TPosition value) { position_ = value; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle value);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }

  // The close result: set by buttons that carry one; a non-zero value ends ShowModal.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  int ShowModal();
  void Close();
  bool Modal() const { return modal_; }
  // The control that gets the focus when the form is activated.
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control) { activeControl_ = control; }

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnResize;
  TCloseEvent OnClose;

  void Loaded() override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void VisibleChanged() override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoShow();
  virtual void DoClose(TCloseAction& action);
  void* ParentWindow() override;

 private:
  void ApplyPosition();
  void SizeWindowToClient();
  void FocusFirstControl();

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  TPosition position_ = poDesigned;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TMainMenu* menu_ = nullptr;
  int pixelsPerInch_ = 96;
  bool scaled_ = true;
  int modalResult_ = 0;
  bool modal_ = false;
  bool shownOnce_ = false;
  TWinControl* activeControl_ = nullptr;
};

class TForm : public TCustomForm {
  DECLARE_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
};

class TCustomFrame : public TScrollingWinControl {
  DECLARE_CLASS(TCustomFrame, TScrollingWinControl)
 public:
  using TScrollingWinControl::TScrollingWinControl;
};

class TDataModule : public TComponent {
  DECLARE_CLASS(TDataModule, TComponent)
 public:
  using TComponent::TComponent;
};

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
  DECLARE_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  void Initialize();
  // Creates a form owned by the application, reads its form resource and stores it in
  // *reference; the first form created becomes the main form.
  template <class F>
  void CreateForm(F** reference) {
    F* form = new F(this);
    *reference = form;
    AdoptForm(form);
  }
  void Run();
  // Frees every form that the application owns. The program's entry calls it once the
  // message loop has ended, so that the forms are gone before the program's units end.
  void DestroyForms();
  // Handles every pending message and returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  TCustomForm* MainForm() const { return mainForm_; }
  // The executable's name up to its first dot, every letter after the first lower case.
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  // A message box titled with caption over the active window; flags are the system's.
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);

  // The display of an error that no handler caught: OnException when assigned, otherwise a
  // message box with the stop icon and an OK button.
  void HandleException(TObject* sender);
  void ShowException(const std::exception& e);
  TExceptionEvent OnException;

 private:
  void AdoptForm(TCustomForm* form);
  bool HandleMessage();

  std::string title_;
  TCustomForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

extern TApplication* Application;

class TScreen : public TComponent {
  DECLARE_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);
  int PixelsPerInch() const;
  int Width() const;
  int Height() const;
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TCustomForm* Forms(int index) const { return forms_.at(index); }
  // The form whose component name is name (ignoring case), or nullptr.
  TCustomForm* FindForm(const std::string& name) const;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);

 private:
  std::vector<TCustomForm*> forms_;
};

extern TScreen* Screen;

// Registers the toolkit's classes for form resources and creates Application and Screen.
void InitToolkit();
void DoneToolkit();
