// Form resources read into real forms: classes by name, properties in order, references
// resolved after reading (also across forms), events bound by name, then Loaded; and errors
// that name the form and the line.
#include <gtest/gtest.h>

#include "ActnList.h"
#include "FormReader.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"

namespace {

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { InitToolkit(); }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

// Records the order in which components hear Loaded.
std::vector<std::string> loadedOrder;

class TRecordingLabel : public TLabel {
  DECLARE_CLASS(TRecordingLabel, TLabel)
 public:
  using TLabel::TLabel;
  void Loaded() override {
    TLabel::Loaded();
    loadedOrder.push_back(Name());
  }
};

class TSampleForm : public TForm {
  DECLARE_CLASS(TSampleForm, TForm)
 public:
  using TForm::TForm;
  TRecordingLabel* lFirst = nullptr;
  TButton* bGo = nullptr;
  TMemo* mmLines = nullptr;
  TAction* aGo = nullptr;
  int clicks = 0;
  void bGoClick(TObject*) { ++clicks; }
  void Loaded() override {
    loadedOrder.push_back(Name());
    TForm::Loaded();
  }
};

}  // namespace

const TClassInfo& TRecordingLabel::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TRecordingLabel>("TRecordingLabel", TLabel::StaticClass()).Creatable();
  return info;
}

const TClassInfo& TSampleForm::StaticClass() {
  static const TClassInfo info = TClassBuilder<TSampleForm>("TSampleForm", TForm::StaticClass())
                                     .Field("lFirst", &TSampleForm::lFirst)
                                     .Field("bGo", &TSampleForm::bGo)
                                     .Field("mmLines", &TSampleForm::mmLines)
                                     .Field("aGo", &TSampleForm::aGo)
                                     .Method("bGoClick", &TSampleForm::bGoClick);
  return info;
}

namespace {
const char* const kSample = R"(object SampleForm: TSampleForm
  ClientWidth = 300
  ClientHeight = 200
  Caption = 'Line one'#13#10 +
    'line ''two'''
  Font.Style = [fsBold, fsItalic]
  object lFirst: TRecordingLabel
    Caption = 'First'
  end
  object bGo: TButton
    Action = aGo
    Anchors = [akRight, akBottom]
    Left = 200
    Top = 160
  end
  object mmLines: TMemo
    Lines.Strings = (
      'C:\Temp'
      'D:\Old files')
  end
  object lSecond: TRecordingLabel
    Caption = 'Second'
    Visible = False
  end
  object ActionList1: TActionList
    object aGo: TAction
      Caption = '&Go'
      OnExecute = bGoClick
    end
  end
end
)";
}  // namespace

TEST(FormReader, BuildsTheFormAndResolvesReferencesBeforeLoaded) {
  RegisterClass(TRecordingLabel::StaticClass());
  loadedOrder.clear();
  TSampleForm form(nullptr);
  ReadComponentText(&form, kSample, "TSAMPLEFORM");
  EXPECT_EQ(form.Name(), "SampleForm");
  EXPECT_EQ(form.Caption(), "Line one\r\nline 'two'");
  EXPECT_EQ(form.Font()->Style(), (1u << fsBold) | (1u << fsItalic));
  ASSERT_NE(form.lFirst, nullptr);
  EXPECT_EQ(form.lFirst->Caption(), "First");
  EXPECT_EQ(form.lFirst->Owner(), &form);
  EXPECT_EQ(form.lFirst->Parent(), &form);
  EXPECT_EQ(form.mmLines->Lines()->Lines(), (std::vector<std::string>{"C:\\Temp", "D:\\Old files"}));
  ASSERT_NE(form.aGo, nullptr);
  EXPECT_EQ(form.bGo->Action(), form.aGo);
  EXPECT_EQ(form.bGo->Caption(), "&Go");  // the action's caption reached its button
  EXPECT_FALSE(form.FindComponent("lSecond")->HasState(csLoading));
  EXPECT_FALSE(static_cast<TControl*>(form.FindComponent("lSecond"))->Visible());
  // The root first, then every component in the order it was read.
  EXPECT_EQ(loadedOrder, (std::vector<std::string>{"SampleForm", "lFirst", "lSecond"}));
  form.bGo->Click();
  EXPECT_EQ(form.clicks, 1);
}

TEST(FormReader, AnchorsAreTakenAgainstTheClientAreaOfTheResource) {
  TSampleForm form(nullptr);
  ReadComponentText(&form, kSample, "TSAMPLEFORM");
  form.SetClientWidth(400);
  form.SetClientHeight(250);
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(form.bGo->Left(), 300);  // 200 + the 100 pixels the window grew by
  EXPECT_EQ(form.bGo->Top(), 210);
  form.Hide();
}

TEST(FormReader, ReferencesReachComponentsOfOtherForms) {
  TSampleForm first(nullptr);
  ReadComponentText(&first, kSample, "TSAMPLEFORM");
  TForm second(nullptr);
  ReadComponentText(&second, R"(object Second: TForm
  object bOther: TButton
    Action = SampleForm.aGo
  end
end
)", "TSECOND");
  auto* button = static_cast<TButton*>(second.FindComponent("bOther"));
  EXPECT_EQ(button->Action(), first.aGo);
}

TEST(FormReader, ErrorsNameTheFormAndTheLine) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"object F: TForm\n  object x: TNoSuchClass\n  end\nend\n",
       "Error reading form TF, line 2: Class TNoSuchClass not found"},
      {"object F: TForm\n  Caption = 'ok'\n  NoSuchProperty = 1\nend\n",
       "Error reading form TF, line 3: Property NoSuchProperty does not exist"},
      {"object F: TForm\n  object b: TButton\n    Action = aMissing\n  end\nend\n",
       "Error reading form TF, line 3: Component aMissing not found"},
      {"object F: TForm\n  OnShow = NoSuchHandler\nend\n",
       "Error reading form TF, line 2: Method NoSuchHandler not found"},
      {"object F: TForm\n  Position = poNowhere\nend\n",
       "Error reading form TF, line 2: Invalid property element: poNowhere"},
      {"object F: TForm\n  Caption = 'never closed\nend\n",
       "Error reading form TF, line 2: Invalid property value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TForm form(nullptr);
    try {
      ReadComponentText(&form, c.text, "TF");
      ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST(FormReader, PositionsAndFontsDesignedAtAnotherResolutionAreScaledToTheScreen) {
  int screen = Screen->PixelsPerInch();
  TForm form(nullptr);
  // Designed at half the screen's resolution, so everything doubles.
  ReadComponentText(&form, "object Half: TForm\n  ClientWidth = 100\n  ClientHeight = 50\n"
                           "  Font.Height = -11\n  PixelsPerInch = " + std::to_string(screen / 2) +
                           "\n  object b: TButton\n    Left = 8\n    Top = 4\n    Width = 40\n"
                           "    Height = 20\n  end\nend\n", "THALF");
  auto* button = static_cast<TButton*>(form.FindComponent("b"));
  EXPECT_EQ(button->Left(), 16);
  EXPECT_EQ(button->Top(), 8);
  EXPECT_EQ(button->Width(), 80);
  EXPECT_EQ(button->Height(), 40);
  EXPECT_EQ(form.ClientWidth(), 200);
  EXPECT_EQ(form.Font()->Height(), -22);
}

TEST(Forms, AFormSizedByItsBoundsKeepsThemWhenItsWindowIsMade) {
  TForm form(nullptr);
  form.SetBounds(10, 10, 300, 200);
  int client = form.ClientWidth();
  EXPECT_GT(client, 250);
  form.Show();
  Application->ProcessMessages();
  EXPECT_EQ(form.Width(), 300);
  EXPECT_EQ(form.Height(), 200);
  EXPECT_EQ(form.ClientWidth(), client);
  form.Hide();
}

TEST(Labels, AnAmpersandShowsItselfWhenItMarksNoAccelerator) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("C:\\Tom&Jerry");
  int withAccelerator = label->Width();
  label->SetShowAccelChar(false);
  EXPECT_GT(label->Width(), withAccelerator);  // the "&" is measured and drawn now
}
