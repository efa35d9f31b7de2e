// Child controls and class ancestries found by name, over real controls.
#include <gtest/gtest.h>

#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "kxCtrlUtils.h"

namespace {
// A form class whose ancestor has the name that some web-form libraries give their forms.
class TIWForm : public TForm {
  DECLARE_CLASS(TIWForm, TForm)
 public:
  using TForm::TForm;
};
class TCustomerForm : public TIWForm {
  DECLARE_CLASS(TCustomerForm, TIWForm)
 public:
  using TIWForm::TIWForm;
};
}  // namespace

const TClassInfo& TIWForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TIWForm>("TIWForm", TForm::StaticClass());
  return info;
}
const TClassInfo& TCustomerForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TCustomerForm>("TCustomerForm", TIWForm::StaticClass());
  return info;
}

TEST(FindChildControl, LooksAmongDirectChildrenByNameInChildOrder) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetName("pInfo");
  panel->SetParent(&form);
  auto* text = new TStaticText(&form);  // owned by the form, lying on the panel
  text->SetName("stInfo");
  text->SetParent(panel);
  auto* label = new TLabel(&form);
  label->SetName("STINFO2");
  label->SetParent(panel);
  auto* twin = new TLabel(panel);  // same name but for case, other owner, later child
  twin->SetName("stinfo2");
  twin->SetParent(panel);
  auto* elsewhere = new TLabel(panel);  // owned by the panel, lying on the form
  elsewhere->SetName("lOwnedByPanel");
  elsewhere->SetParent(&form);

  EXPECT_EQ(FindChildControl(nullptr, "stInfo"), nullptr);
  EXPECT_EQ(FindChildControl(panel, "STINFO"), text);
  EXPECT_EQ(FindChildControl(panel, "stinfo2"), label);
  EXPECT_EQ(panel->Controls(1), twin);
  EXPECT_EQ(FindChildControl(panel, "lOwnedByPanel"), nullptr);
  EXPECT_EQ(FindChildControl(&form, "lOwnedByPanel"), elsewhere);
  EXPECT_EQ(FindChildControl(&form, "stInfo"), nullptr);  // a grandchild
  EXPECT_EQ(FindChildControl(text, "x"), nullptr);          // no children at all
  // Windowless children come first in the child order.
  EXPECT_EQ(panel->Controls(0), label);
  EXPECT_EQ(panel->Controls(2), text);
}

TEST(FindChildControl, AnEmptyNameMatchesOnlyAnUnnamedChild) {
  TForm form(nullptr);
  auto* named = new TLabel(&form);
  named->SetName("a");
  named->SetParent(&form);
  EXPECT_EQ(FindChildControl(&form, ""), nullptr);
  auto* unnamed = new TLabel(&form);
  unnamed->SetParent(&form);
  EXPECT_EQ(FindChildControl(&form, ""), unnamed);
}

TEST(InheritsFromClassName, WalksTheAncestryIgnoringCase) {
  TCustomerForm web(nullptr);
  TForm plain(nullptr);
  struct Case {
    const TObject* object;
    const char* name;
    bool expected;
  } cases[] = {
      {&web, "TIWForm", true},     {&web, "tiwform", true},     {&web, "TCustomerForm", true},
      {&web, "TObject", true},     {&plain, "TIWForm", false},  {&plain, "tobject", true},
      {&plain, "TScrollingWinControl", true}, {&plain, "TButton", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(InheritsFromClassName(c.object, c.name), c.expected);
  }
}
