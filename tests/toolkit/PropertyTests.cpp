// Published properties found and set by name, and the messages that property errors carry.
#include <gtest/gtest.h>

#include "Classes.h"
#include "Consts.h"
#include "TypInfo.h"

namespace {

enum class TShade { shLight, shDark };
const TEnumInfo ShadeType{"TShade", {"shLight", "shDark"}};

class TSample : public TComponent {
  DECLARE_CLASS(TSample, TComponent)
 public:
  using TComponent::TComponent;
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }
  int Charset() const { return charset_; }
  void SetCharset(int v) { charset_ = v; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade v) { shade_ = v; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }
  TStringList* Lines() const { return lines_; }

 private:
  int width_ = 10;
  int charset_ = 1;
  TShade shade_ = TShade::shLight;
  bool checked_ = true;
  double ratio_ = 0;
  std::string caption_;
  TStringList* lines_ = new TStringList;  // leaked on purpose: tiny test object
};

}  // namespace

const TClassInfo& TSample::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TSample>("TSample", TComponent::StaticClass())
          .Creatable()
          .Integer("Width", &TSample::Width, &TSample::SetWidth)
          .Integer("Charset", &TSample::Charset, &TSample::SetCharset, 0, 255)
          .Enum("Shade", ShadeType, &TSample::Shade, &TSample::SetShade)
          .Bool("Checked", &TSample::Checked, &TSample::SetChecked)
          .Float("Ratio", &TSample::Ratio, &TSample::SetRatio)
          .String("Caption", &TSample::Caption, &TSample::SetCaption)
          .Object("Lines", &TSample::Lines);
  return info;
}

TEST(Properties, AreFoundByNameIgnoringAsciiCaseAndThroughAncestors) {
  TSample sample(nullptr);
  ASSERT_NE(GetPropInfo(&sample, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(&sample, "CAPTION")->Kind, TTypeKind::tkLString);
  EXPECT_EQ(GetPropInfo(&sample, "name")->Kind, TTypeKind::tkLString);  // from TComponent
  EXPECT_EQ(GetPropInfo(&sample, "Lines")->Kind, TTypeKind::tkClass);
  EXPECT_EQ(GetPropInfo(&sample, ""), nullptr);
  EXPECT_EQ(GetPropInfo(&sample, "NoSuchProperty"), nullptr);
  EXPECT_EQ(sample.ClassName(), "TSample");
  EXPECT_TRUE(sample.InheritsFrom(TPersistent::StaticClass()));
}

TEST(Properties, AssignByKind) {
  TSample sample(nullptr);
  SetOrdProp(&sample, *GetPropInfo(&sample, "Width"), -11);
  SetEnumProp(&sample, *GetPropInfo(&sample, "Shade"), "SHDARK");
  SetEnumProp(&sample, *GetPropInfo(&sample, "Checked"), "false");
  SetFloatProp(&sample, *GetPropInfo(&sample, "Ratio"), 1.5);
  SetStrProp(&sample, *GetPropInfo(&sample, "Caption"), "Папки");
  EXPECT_EQ(sample.Width(), -11);
  EXPECT_EQ(sample.Shade(), TShade::shDark);
  EXPECT_FALSE(sample.Checked());
  EXPECT_DOUBLE_EQ(sample.Ratio(), 1.5);
  EXPECT_EQ(sample.Caption(), "Папки");
  EXPECT_EQ(GetObjectProp(&sample, *GetPropInfo(&sample, "Lines")), sample.Lines());
}

TEST(Properties, AFailedWriteRaisesTheToolkitMessageAndChangesNothing) {
  TSample sample(nullptr);
  try {
    SetOrdProp(&sample, *GetPropInfo(&sample, "Charset"), 300);
    FAIL() << "no error";
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message(), "Range check error");
  }
  EXPECT_EQ(sample.Charset(), 1);
  try {
    SetEnumProp(&sample, *GetPropInfo(&sample, "Checked"), "0");
    FAIL() << "no error";
  } catch (const EPropertyConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid property element: 0");
  }
  EXPECT_TRUE(sample.Checked());
}

TEST(Components, OwnerFindsByNameAndFreesWhatItOwns) {
  TSample owner(nullptr);
  auto* a = new TSample(&owner);
  a->SetName("lFolders");
  auto* b = new TSample(&owner);
  b->SetName("N1");
  EXPECT_EQ(owner.FindComponent("LFOLDERS"), a);
  EXPECT_EQ(owner.FindComponent("n1"), b);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_THROW(b->SetName("lfolders"), EComponentError);
  EXPECT_THROW(b->SetName("Тест"), EComponentError);
  EXPECT_EQ(owner.ComponentCount(), 2);
}

TEST(Locale, CaseIsIgnoredForCyrillicToo) {
  EXPECT_EQ(AnsiCompareText("ТЕСТ", "тест"), 0);
  EXPECT_EQ(AnsiUpperCase("тест"), "ТЕСТ");
  EXPECT_LT(AnsiCompareText("а", "Б"), 0);
  EXPECT_NE(AnsiCompareStr("ТЕСТ", "тест"), 0);
}

TEST(Messages, ComeFromTheStringTableWithTheirArguments) {
  EXPECT_EQ(LoadResFmt(&SListIndexError, {5}), "List index out of bounds (5)");
  EXPECT_EQ(LoadResString(&SOSError), "System Error.  Code: %d.\r\n%s");
  EXPECT_EQ(LoadResString(&SMsgDlgYes), "&Yes");
  TList list;
  EXPECT_THROW(list.Get(0), EListError);
}

TEST(Format, HandlesTheDirectivesMessagesUse) {
  EXPECT_EQ(Format("Всего пар найдено: %d.", {3}), "Всего пар найдено: 3.");
  EXPECT_EQ(Format("Папка \"%s\" не найдена!", {"C:\\x"}), "Папка \"C:\\x\" не найдена!");
  EXPECT_EQ(Format("%5d|%-4s|%x|%%", {42, "ab", 255}), "   42|ab  |FF|%");
  EXPECT_EQ(Format("%1:s %0:s", {"a", "b"}), "b a");
  EXPECT_THROW(Format("%d", {"text"}), EConvertError);
  EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
}
