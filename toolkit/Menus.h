// Menus: the main menu bar of a form and its items, which may be bound to actions.
#pragma once

#include <string>
#include <vector>

#include "Controls.h"

class TMenu;
class TImageList;

class TMenuItem : public TComponent, public TActionClient {
  DECLARE_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value) { hint_ = value; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* action);
  TNotifyEvent OnClick;
  virtual void Click();

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return parent_; }
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  // The menu that shows this item, through its parents.
  TMenu* GetParentMenu() const;
  void SetParentComponent(TComponent* parent) override;

  // TActionClient
  std::string ActionClientCaption() const override { return caption_; }
  void SetActionClientCaption(const std::string& c) override { SetCaption(c); }
  std::string ActionClientHint() const override { return hint_; }
  void SetActionClientHint(const std::string& h) override { SetHint(h); }
  int ActionClientImageIndex() const override { return imageIndex_; }
  void SetActionClientImageIndex(int i) override { SetImageIndex(i); }
  void SetActionClientEnabled(bool e) override { SetEnabled(e); }
  void SetActionClientVisible(bool v) override { SetVisible(v); }
  bool CaptionLinkIgnoresCaseAndAccelerator() const override { return true; }
  void ActionClientDetach() override { action_ = nullptr; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TMenu;
  void Changed();

  std::string caption_;
  std::string hint_;
  int imageIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  TBasicAction* action_ = nullptr;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> items_;
  unsigned command_;
};

class TMenu : public TComponent {
  DECLARE_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The invisible root whose children are the menu's top-level items.
  TMenuItem* Items() const { return items_; }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  // The system menu (an HMENU), rebuilt from the items when they change.
  void* Handle();
  // Runs the item with the given command id; false when none has it.
  bool DispatchCommand(unsigned command);
  // Measures and draws item pictures (WM_MEASUREITEM, WM_DRAWITEM); false when not ours.
  bool HandleOwnerDraw(TMessage& message);
  void Rebuild();

 protected:
  virtual bool IsMenuBar() const { return false; }
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Fill(void* menu, TMenuItem* parent);
  TMenuItem* FindByCommand(TMenuItem* parent, unsigned command) const;

  TMenuItem* items_;
  TImageList* images_ = nullptr;
  void* handle_ = nullptr;
};

class TMainMenu : public TMenu {
  DECLARE_CLASS(TMainMenu, TMenu)
 public:
  using TMenu::TMenu;

 protected:
  bool IsMenuBar() const override { return true; }
};
