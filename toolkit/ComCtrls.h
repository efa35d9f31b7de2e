// The status bar: a row of text panels along a window's edge, described by a collection.
#pragma once

#include "Controls.h"

class TStatusBar;

// One panel of a status bar: its text, width in pixels, and the alignment of the text.
class TStatusPanel : public TCollectionItem {
  DECLARE_CLASS(TStatusPanel, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);
  int Width() const { return width_; }
  void SetWidth(int value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

// The panels of a status bar, which shows every change at once.
class TStatusPanels : public TCollection {
  DECLARE_CLASS(TStatusPanels, TCollection)
 public:
  explicit TStatusPanels(TStatusBar* statusBar) : statusBar_(statusBar) {}
  TStatusPanel* Items(int index) const { return static_cast<TStatusPanel*>(TCollection::Items(index)); }
  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }

 protected:
  TCollectionItem* CreateItem() override { return new TStatusPanel(this); }
  void Update(TCollectionItem* item) override;

 private:
  TStatusBar* statusBar_;
};

class TStatusBar : public TWinControl {
  DECLARE_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return panels_; }
  // The text that the window shows in a panel, as the system reports it.
  std::string PanelTextShown(int index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void InitializeWindow() override;

 private:
  friend class TStatusPanels;
  void UpdatePanels();

  TStatusPanels* panels_;
};
