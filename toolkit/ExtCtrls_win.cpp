// The panel over the toolkit's own window class.
#include <windows.h>

#include "ExtCtrls.h"
#include "WinText.h"

const TEnumInfo PanelBevelType{"TPanelBevel", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

const TClassInfo& TPanel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TPanel>("TPanel", TCustomControl::StaticClass())
          .Creatable()
          .Enum("Alignment", AlignmentType, &TPanel::Alignment, &TPanel::SetAlignment)
          .Enum("BevelInner", PanelBevelType, &TPanel::BevelInner, &TPanel::SetBevelInner)
          .Enum("BevelOuter", PanelBevelType, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  return info;
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ |= csAcceptsControls;
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Invalidate();
}

void TPanel::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

namespace {
void DrawBevel(HDC dc, RECT& r, TPanelBevel bevel) {
  if (bevel == bvNone) return;
  if (bevel != bvSpace)
    DrawEdge(dc, &r, bevel == bvLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
  else
    InflateRect(&r, -1, -1);
}
}  // namespace

void TPanel::Paint(void* dc) {
  HDC hdc = static_cast<HDC>(dc);
  RECT r = {0, 0, ClientWidth(), ClientHeight()};
  DrawBevel(hdc, r, bevelOuter_);
  DrawBevel(hdc, r, bevelInner_);
  if (Caption().empty()) return;
  UINT align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawTextInFont(dc, {r.left, r.top, r.right, r.bottom}, Caption(), Font(), Enabled(),
                 align | DT_VCENTER | DT_SINGLELINE);
}
