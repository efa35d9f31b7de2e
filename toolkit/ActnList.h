// Actions: commands with a caption, hint and picture that buttons and menu items show and
// run, gathered in an action list.
#pragma once

#include <string>
#include <vector>

#include "Classes.h"
#include "Controls.h"

class TActionList;

class TBasicAction : public TComponent {
  DECLARE_CLASS(TBasicAction, TComponent)
 public:
  using TComponent::TComponent;
  ~TBasicAction() override;

  // Runs OnExecute; false when no handler is assigned.
  virtual bool Execute();
  TNotifyEvent OnExecute;

  void RegisterClient(TActionClient* client);
  void UnregisterClient(TActionClient* client);

 protected:
  std::vector<TActionClient*> clients_;
};

class TCustomAction : public TBasicAction {
  DECLARE_CLASS(TCustomAction, TBasicAction)
 public:
  using TBasicAction::TBasicAction;
  ~TCustomAction() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  TActionList* ActionList() const { return actionList_; }
  void SetActionList(TActionList* list);
  void SetParentComponent(TComponent* parent) override;

  bool Execute() override;
  // Gives a newly bound client the action's caption, hint, picture and state; while a form
  // is read, a client keeps a caption or hint of its own.
  void ApplyTo(TActionClient* client, bool keepOwnTexts);

 private:
  friend class TActionList;  // keeps actionList_ in step with its list of actions
  std::string caption_;
  std::string hint_;
  int imageIndex_ = -1;
  bool enabled_ = true;
  bool visible_ = true;
  TActionList* actionList_ = nullptr;
};

class TAction : public TCustomAction {
  DECLARE_CLASS(TAction, TCustomAction)
 public:
  using TCustomAction::TCustomAction;
};

class TActionList : public TComponent {
  DECLARE_CLASS(TActionList, TComponent)
 public:
  using TComponent::TComponent;
  ~TActionList() override;

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TCustomAction* Actions(int index) const;
  void AddAction(TCustomAction* action);
  void RemoveAction(TCustomAction* action);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TImageList* images_ = nullptr;
  std::vector<TCustomAction*> actions_;
};

// Whether two captions are the same apart from letter case and the accelerator mark "&".
bool SameCaption(const std::string& a, const std::string& b);
