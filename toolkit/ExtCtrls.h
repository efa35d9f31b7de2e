// The panel: a container with bevels.
#pragma once

#include "Controls.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
extern const TEnumInfo PanelBevelType;

class TPanel : public TCustomControl {
  DECLARE_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* owner);

  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel value);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

 protected:
  void Paint(void* dc) override;
  void TextChanged() override { Invalidate(); }

 private:
  TPanelBevel bevelOuter_ = bvRaised;
  TPanelBevel bevelInner_ = bvNone;
  TAlignment alignment_ = taCenter;
};
