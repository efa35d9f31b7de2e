// Controls: components with a parent, bounds, anchors, font and visibility; windowed
// controls that own a Win32 window; and the link from a control to its action.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

class TWinControl;
class TCustomForm;
class TBasicAction;
class TCustomAction;
class TImageList;

// A window message as the toolkit passes it around, without Windows types.
struct TMessage {
  std::uint32_t Msg;
  std::uintptr_t WParam;
  std::intptr_t LParam;
  std::intptr_t Result;
};

// Notifications that a parent window passes back to the child control they concern
// (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM), offset from the original message.
constexpr std::uint32_t CN_BASE = 0xBC00;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = std::uint32_t;  // one bit per TAnchorKind
constexpr TAnchors AnchorsOf(std::initializer_list<TAnchorKind> kinds) {
  TAnchors a = 0;
  for (TAnchorKind k : kinds) a |= 1u << k;
  return a;
}
constexpr TAnchors DefaultAnchors = (1u << akLeft) | (1u << akTop);
extern const TEnumInfo AnchorKindType;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentType;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = std::uint32_t;  // one bit per TShiftStateFlag
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;

enum TControlStyleFlag : std::uint32_t {
  csOpaque = 1 << 0,            // paints its whole area itself
  csParentBackground = 1 << 1,  // shows its parent's background behind its content
  csAcceptsControls = 1 << 2,
};

// What a control or menu item shows of its action. An action changes a client's caption
// or hint only while the client still shows the action's old one.
class TActionClient {
 public:
  virtual ~TActionClient() = default;
  virtual std::string ActionClientCaption() const = 0;
  virtual void SetActionClientCaption(const std::string& caption) = 0;
  virtual std::string ActionClientHint() const = 0;
  virtual void SetActionClientHint(const std::string& hint) = 0;
  virtual int ActionClientImageIndex() const { return -1; }
  virtual void SetActionClientImageIndex(int index) {}
  virtual void SetActionClientEnabled(bool enabled) {}
  virtual void SetActionClientVisible(bool visible) {}
  // Menu items follow an action's caption also when they differ from it in letter case and
  // accelerator mark only.
  virtual bool CaptionLinkIgnoresCaseAndAccelerator() const { return false; }
  // The action was freed.
  virtual void ActionClientDetach() = 0;
};

class TControl : public TComponent, public TActionClient {
  DECLARE_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  virtual void SetClientWidth(int v) { SetWidth(v); }
  virtual void SetClientHeight(int v) { SetHeight(v); }

  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);

  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and on every parent up to the form.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }
  virtual std::string GetText() const { return text_; }
  virtual void SetText(const std::string& value);
  const std::string& Hint() const { return hint_; }
  virtual void SetHint(const std::string& value);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);
  // Whether the hint is shown: the control's own setting, or its parent's.
  bool EffectiveShowHint() const;

  TFont* Font() const { return font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  std::uint32_t ControlStyle() const { return controlStyle_; }
  void SetControlStyle(std::uint32_t value);

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  TNotifyEvent OnClick;
  virtual void Click();

  // Repaints the control.
  virtual void Invalidate();
  // Multiplies positions and sizes by m/d (the screen's resolution over the design one).
  virtual void ScaleBy(int m, int d);
  // The form that this control lies on, or nullptr.
  TCustomForm* GetParentForm() const;

  void Loaded() override;

  // Anchors: the distances to the parent's edges, taken from the bounds that were set
  // explicitly, and applied when the parent's client area changes size.
  void UpdateAnchorRules();
  void AnchorToParent(int parentWidth, int parentHeight);

  // TActionClient
  std::string ActionClientCaption() const override { return Caption(); }
  void SetActionClientCaption(const std::string& c) override { SetCaption(c); }
  std::string ActionClientHint() const override { return hint_; }
  void SetActionClientHint(const std::string& h) override { SetHint(h); }
  void SetActionClientEnabled(bool e) override { SetEnabled(e); }
  void SetActionClientVisible(bool v) override { SetVisible(v); }
  void ActionClientDetach() override { action_ = nullptr; }

 protected:
  // Called when the parent's font or colour changes, or the control's own.
  virtual void FontChanged();
  virtual void ColorChanged() { Invalidate(); }
  virtual void TextChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void BoundsChanged() {}
  void Notification(TComponent* component, TOperation operation) override;

  friend class TWinControl;

  std::uint32_t controlStyle_ = csOpaque;

 private:
  void OwnFontChanged(TObject*);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAnchors anchors_ = DefaultAnchors;
  struct AnchorRules {
    int left, top, right, bottom, parentWidth, parentHeight;
    bool valid = false;
  } rules_;
  bool anchoring_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  std::string hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  TFont* font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clBtnFace;
  bool parentColor_ = true;
  TBasicAction* action_ = nullptr;
};

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
  DECLARE_CLASS(TGraphicControl, TControl)
 public:
  using TControl::TControl;
  // Paints into the parent's device context, with the origin at the control's corner.
  virtual void Paint(void* dc) {}
  void Invalidate() override;
};

struct TCreateParams {
  std::string WinClassName;  // a system class, or empty for the toolkit's own
  std::uint32_t Style = 0;
  std::uint32_t ExStyle = 0;
};

// A control with a Win32 window. The window is made when first needed and follows the
// control's properties from then on.
class TWinControl : public TControl {
  DECLARE_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window handle (an HWND), made on first use, with the parent's first.
  void* Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  void DestroyHandle();

  // The child controls: those without a window first, then the windowed ones, each group
  // in the order in which the children were inserted.
  int ControlCount() const;
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();

  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetEnabled(bool value) override;
  void SetHint(const std::string& value) override;
  std::string GetText() const override;
  void SetText(const std::string& value) override;
  void Invalidate() override;
  void ScaleBy(int m, int d) override;

  TKeyEvent OnKeyDown;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Message dispatch: the window procedure hands every message to WndProc, which a control
  // overrides for the messages it handles and passes the rest on to DefaultHandler.
  virtual void WndProc(TMessage& message);
  void DefaultHandler(TMessage& message);
  // Sends a message to the window (making it first).
  std::intptr_t Perform(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0);
  // The control whose window this is, or nullptr.
  static TWinControl* FromHandle(void* handle);

  // Repositions the children after the client area changed size.
  void AlignControls();
  void Loaded() override;

 protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Pushes every property to a freshly made window.
  virtual void InitializeWindow();
  virtual void DestroyWnd() {}
  // Keys: a control may swallow a key by setting it to 0.
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void TextChanged() override;
  // Paints the window's own content and then the windowless children (toolkit class only).
  virtual void PaintWindow(void* dc) {}
  void PaintControls(void* dc);
  // The brush (an HBRUSH) that paints the background in the control's colour.
  void* BackgroundBrush();
  void UpdateHintTool();
  // The window handle of the parent, for a control whose parent has none (a form: none).
  virtual void* ParentWindow();
  void SortWindowsByTabOrder();

 private:
  friend struct TWindowProcAccess;  // the window procedure attaches and detaches windows
  void AttachWindow(void* handle);
  void DetachWindow();

  void* handle_ = nullptr;
  void* oldWndProc_ = nullptr;  // the system class's procedure, for subclassed controls
  void* brush_ = nullptr;
  std::uint32_t brushColor_ = 0;
  std::vector<TControl*> graphicChildren_;
  std::vector<TWinControl*> windowedChildren_;
  std::vector<TWinControl*> tabList_;
  int tabOrderRead_ = -1;  // the tab order a form resource gave, applied once it is read
  bool tabStop_ = false;
};

// A windowed control that paints itself.
class TCustomControl : public TWinControl {
  DECLARE_CLASS(TCustomControl, TWinControl)
 public:
  using TWinControl::TWinControl;

 protected:
  void PaintWindow(void* dc) override { Paint(dc); }
  virtual void Paint(void* dc) {}
};

// Converts the state of the modifier keys as the system reports them now.
TShiftState KeyboardShiftState();
