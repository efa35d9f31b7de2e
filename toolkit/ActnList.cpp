// Actions and action lists.
#include "ActnList.h"

#include <algorithm>

#include "ImgList.h"

const TClassInfo& TBasicAction::StaticClass() {
  static const TClassInfo info = TClassBuilder<TBasicAction>("TBasicAction", TComponent::StaticClass())
                                     .Event("OnExecute", &TBasicAction::OnExecute);
  return info;
}

TBasicAction::~TBasicAction() {
  for (TActionClient* client : std::vector<TActionClient*>(clients_)) client->ActionClientDetach();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::RegisterClient(TActionClient* client) {
  if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
    clients_.push_back(client);
}

void TBasicAction::UnregisterClient(TActionClient* client) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

const TClassInfo& TCustomAction::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TCustomAction>("TCustomAction", TBasicAction::StaticClass())
          .String("Caption", &TCustomAction::Caption, &TCustomAction::SetCaption)
          .String("Hint", &TCustomAction::Hint, &TCustomAction::SetHint)
          .Integer("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex)
          .Bool("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled)
          .Bool("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible);
  return info;
}

TCustomAction::~TCustomAction() { SetActionList(nullptr); }

bool SameCaption(const std::string& a, const std::string& b) {
  auto strip = [](const std::string& s) {
    std::string r;
    for (char c : s)
      if (c != '&') r += c;
    return r;
  };
  return AnsiSameText(strip(a), strip(b));
}

void TCustomAction::SetCaption(const std::string& value) {
  if (value == caption_) return;
  for (TActionClient* client : clients_) {
    std::string shown = client->ActionClientCaption();
    bool linked = client->CaptionLinkIgnoresCaseAndAccelerator() ? SameCaption(shown, caption_)
                                                                 : shown == caption_;
    if (linked) client->SetActionClientCaption(value);
  }
  caption_ = value;
}

void TCustomAction::SetHint(const std::string& value) {
  if (value == hint_) return;
  for (TActionClient* client : clients_)
    if (client->ActionClientHint() == hint_) client->SetActionClientHint(value);
  hint_ = value;
}

void TCustomAction::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  for (TActionClient* client : clients_)
    if (client->ActionClientImageIndex() == imageIndex_) client->SetActionClientImageIndex(value);
  imageIndex_ = value;
}

void TCustomAction::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  for (TActionClient* client : clients_) client->SetActionClientEnabled(value);
}

void TCustomAction::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  for (TActionClient* client : clients_) client->SetActionClientVisible(value);
}

void TCustomAction::ApplyTo(TActionClient* client, bool keepOwnTexts) {
  if (!keepOwnTexts || client->ActionClientCaption().empty())
    client->SetActionClientCaption(caption_);
  if (!keepOwnTexts || client->ActionClientHint().empty()) client->SetActionClientHint(hint_);
  if (!keepOwnTexts || client->ActionClientImageIndex() < 0)
    client->SetActionClientImageIndex(imageIndex_);
  client->SetActionClientEnabled(enabled_);
  client->SetActionClientVisible(visible_);
}

bool TCustomAction::Execute() { return enabled_ && TBasicAction::Execute(); }

void TCustomAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_) actionList_->RemoveAction(this);
  if (list) list->AddAction(this);
}

void TCustomAction::SetParentComponent(TComponent* parent) {
  if (auto* list = ObjectAs<TActionList>(parent)) SetActionList(list);
}

const TClassInfo& TAction::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TAction>("TAction", TCustomAction::StaticClass()).Creatable();
  return info;
}

const TClassInfo& TActionList::StaticClass() {
  static const TClassInfo info = TClassBuilder<TActionList>("TActionList", TComponent::StaticClass())
                                     .Creatable()
                                     .Object("Images", &TActionList::Images, &TActionList::SetImages);
  return info;
}

TActionList::~TActionList() {
  for (TCustomAction* action : std::vector<TCustomAction*>(actions_)) action->SetActionList(nullptr);
}

void TActionList::SetImages(TImageList* images) {
  images_ = images;
  if (images) images->FreeNotification(this);
}

TCustomAction* TActionList::Actions(int index) const {
  if (index < 0 || index >= ActionCount()) ListIndexError(index);
  return actions_[index];
}

void TActionList::AddAction(TCustomAction* action) {
  actions_.push_back(action);
  action->actionList_ = this;
}

void TActionList::RemoveAction(TCustomAction* action) {
  actions_.erase(std::remove(actions_.begin(), actions_.end(), action), actions_.end());
  action->actionList_ = nullptr;
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}
