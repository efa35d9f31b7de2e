// Menus over the system's menus. Item pictures are drawn from the menu's image list when
// the system asks for them.
#include <windows.h>

#include <algorithm>

#include "ActnList.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"

namespace {
unsigned nextCommand = 1000;
HMENU Native(void* h) { return static_cast<HMENU>(h); }
}  // namespace

const TClassInfo& TMenuItem::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TMenuItem>("TMenuItem", TComponent::StaticClass())
          .Creatable()
          .Object("Action", &TMenuItem::Action, &TMenuItem::SetAction)
          .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
          .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
          .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
          .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
          .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
          .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
          .Event("OnClick", &TMenuItem::OnClick);
  return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(nextCommand++) {}

TMenuItem::~TMenuItem() {
  SetAction(nullptr);
  while (!items_.empty()) {
    TMenuItem* child = items_.back();
    Remove(child);
    if (!child->Owner()) delete child;
  }
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[index];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (item->parent_) item->parent_->Remove(item);
  items_.insert(items_.begin() + std::clamp(index, 0, Count()), item);
  item->parent_ = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Changed();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_) item = item->parent_;
  return item->menu_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = ObjectAs<TMenu>(parent))
    menu->Items()->Add(this);
  else if (auto* item = ObjectAs<TMenuItem>(parent))
    item->Add(this);
}

void TMenuItem::Changed() {
  if (TMenu* menu = GetParentMenu()) menu->Rebuild();
}

void TMenuItem::SetCaption(const std::string& value) {
  if (value == caption_) return;
  caption_ = value;
  Changed();
}

void TMenuItem::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  Changed();
}

void TMenuItem::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  Changed();
}

void TMenuItem::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Changed();
}

void TMenuItem::SetChecked(bool value) {
  if (value == checked_) return;
  checked_ = value;
  Changed();
}

void TMenuItem::SetAction(TBasicAction* action) {
  if (action == action_) return;
  if (action_) action_->UnregisterClient(this);
  action_ = action;
  if (action_) {
    action_->RegisterClient(this);
    action_->FreeNotification(this);
    if (auto* a = ObjectAs<TCustomAction>(action_)) a->ApplyTo(this, HasState(csLoading));
  }
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == action_) action_ = nullptr;
}

void TMenuItem::Click() {
  if (action_) {
    action_->Execute();
    return;
  }
  if (OnClick) OnClick(this);
}

// ---- TMenu

const TClassInfo& TMenu::StaticClass() {
  static const TClassInfo info = TClassBuilder<TMenu>("TMenu", TComponent::StaticClass())
                                     .Object("Images", &TMenu::Images, &TMenu::SetImages);
  return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  // The items belong to the form and go with it; only the root is the menu's own.
  while (items_->Count() > 0) items_->Remove(items_->Items(items_->Count() - 1));
  delete items_;
  if (handle_) DestroyMenu(Native(handle_));
}

void TMenu::SetImages(TImageList* images) {
  images_ = images;
  if (images) images->FreeNotification(this);
  Rebuild();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void* TMenu::Handle() {
  if (!handle_) {
    handle_ = IsMenuBar() ? CreateMenu() : CreatePopupMenu();
    Fill(handle_, items_);
  }
  return handle_;
}

void TMenu::Rebuild() {
  if (!handle_) return;
  HMENU menu = Native(handle_);
  while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
  Fill(menu, items_);
  for (int i = 0; Screen && i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (static_cast<TMenu*>(form->Menu()) == this && form->HandleAllocated())
      DrawMenuBar(static_cast<HWND>(form->Handle()));
  }
}

void TMenu::Fill(void* menu, TMenuItem* parent) {
  for (TMenuItem* item : parent->items_) {
    if (!item->visible_) continue;
    MENUITEMINFOA mi = {};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
    if (item->caption_ == "-") {
      mi.fMask = MIIM_FTYPE;
      mi.fType = MFT_SEPARATOR;
    }
    std::string caption = item->caption_;
    mi.dwTypeData = caption.data();
    mi.wID = item->command_;
    mi.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    mi.fState = (item->enabled_ ? MFS_ENABLED : MFS_DISABLED) | (item->checked_ ? MFS_CHECKED : 0);
    if (!item->items_.empty()) {
      HMENU sub = CreatePopupMenu();
      Fill(sub, item);
      mi.fMask |= MIIM_SUBMENU;
      mi.hSubMenu = sub;
    }
    if (images_ && item->imageIndex_ >= 0) {
      mi.fMask |= MIIM_BITMAP;
      mi.hbmpItem = HBMMENU_CALLBACK;
    }
    InsertMenuItemA(Native(menu), GetMenuItemCount(Native(menu)), TRUE, &mi);
  }
}

TMenuItem* TMenu::FindByCommand(TMenuItem* parent, unsigned command) const {
  for (TMenuItem* item : parent->items_) {
    if (item->command_ == command) return item;
    if (TMenuItem* found = FindByCommand(item, command)) return found;
  }
  return nullptr;
}

bool TMenu::DispatchCommand(unsigned command) {
  TMenuItem* item = FindByCommand(items_, command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenu::HandleOwnerDraw(TMessage& m) {
  if (m.Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (mis->CtlType != ODT_MENU || !images_) return false;
    mis->itemWidth = images_->Width();
    mis->itemHeight = images_->Height();
    m.Result = TRUE;
    return true;
  }
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (dis->CtlType != ODT_MENU || !images_) return false;
  auto* item = reinterpret_cast<TMenuItem*>(dis->itemData);
  if (!item) return false;
  int y = dis->rcItem.top + (dis->rcItem.bottom - dis->rcItem.top - images_->Height()) / 2;
  images_->Draw(dis->hDC, dis->rcItem.left, y, item->ImageIndex(), item->Enabled());
  m.Result = TRUE;
  return true;
}

const TClassInfo& TMainMenu::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TMainMenu>("TMainMenu", TMenu::StaticClass()).Creatable();
  return info;
}
