// The standard controls: label, static text, button, check box, multi-line edit, list box.
#pragma once

#include <string>

#include "Controls.h"

class TImageList;

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted on its parent, without a window.
class TLabel : public TGraphicControl {
  DECLARE_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Sized to its caption whenever the caption or the font changes.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Whether "&" marks the next letter as the accelerator instead of showing itself.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  void Paint(void* dc) override;
  void Loaded() override;

 protected:
  void TextChanged() override;
  void FontChanged() override;

 private:
  void AdjustSize();
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = true;
  bool showAccelChar_ = true;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

// A caption in a window of its own (the system's static control).
class TStaticText : public TWinControl {
  DECLARE_CLASS(TStaticText, TWinControl)
 public:
  explicit TStaticText(TComponent* owner);

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value) { autoSize_ = value; }
  TStaticBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TStaticBorderStyle value) { borderStyle_ = value; }
  // Whether "&" marks the next letter as the accelerator instead of showing itself.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void TextChanged() override { Invalidate(); }

 private:
  void Draw(void* dc, const TRect& area);

  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool showAccelChar_ = true;
  TStaticBorderStyle borderStyle_ = sbsNone;
};

// A push button; with a picture when it has an image list and an image index, or when its
// action's list has one.
class TButton : public TWinControl {
  DECLARE_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);
  ~TButton() override;

  // The close result that a click stores in the form before anything else runs.
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }
  // Enter works the default button, Escape the cancel button.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  void Click() override;
  void WndProc(TMessage& message) override;

  int ActionClientImageIndex() const override { return imageIndex_; }
  void SetActionClientImageIndex(int index) override { SetImageIndex(index); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TImageList* EffectiveImages() const;
  void UpdatePicture();

  int modalResult_ = 0;
  bool default_ = false;
  bool cancel_ = false;
  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
  void* pictureList_ = nullptr;  // the one-picture list the button window shows
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
  DECLARE_CLASS(TCheckBox, TWinControl)
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const;
  void SetChecked(bool value);
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void DestroyWnd() override;

 private:
  bool checked_ = false;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
extern const TEnumInfo ScrollStyleType;

class TMemo;

// The lines of a multi-line edit, read from and written to its text.
class TMemoStrings : public TStrings {
  DECLARE_CLASS(TMemoStrings, TStrings)
 public:
  explicit TMemoStrings(TMemo* memo) : memo_(memo) {}
  // A final line break makes no empty last line.
  int Count() const override;
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;
  void SetLines(const std::vector<std::string>& lines) override;

 private:
  TMemo* memo_;
};

class TMemo : public TWinControl {
  DECLARE_CLASS(TMemo, TWinControl)
 public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;

  TStrings* Lines() const { return lines_; }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value) { scrollBars_ = value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { wordWrap_ = value; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TMemoStrings* lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool readOnly_ = false;
  bool wantTabs_ = false;
};

// A list of texts in the system's list box.
class TCustomListBox : public TWinControl {
  DECLARE_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* Items() const { return items_; }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int value);
  int ItemIndex() const;
  void SetItemIndex(int value);
  TNotifyEvent OnDblClick;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;
  void VisibleChanged() override;
  // Copies the items into the window; a hidden list box is filled when it is shown.
  void SyncItems();

  TStringList* items_;

 private:
  bool windowStale_ = false;
  int itemHeight_ = 13;
  int itemIndex_ = -1;
};

class TListBox : public TCustomListBox {
  DECLARE_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};
