// The main-window fixture and the toolkit's start for every test of the application.
#include "MainFormFixture.h"

#include "Forms.h"

namespace {
class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    InitToolkit();
    Application->Initialize();
  }
  void TearDown() override { DoneToolkit(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
}  // namespace

void MainFormTest::SetUp() {
  form = new TMainForm(Application);
  MainForm = form;
  form->ReadFormResource();
  form->Show();
  Application->ProcessMessages();
}

void MainFormTest::TearDown() {
  delete form;
  MainForm = nullptr;
  Application->ProcessMessages();
}

void MainFormTest::Compare(const std::vector<std::string>& folderLines) {
  form->mmDirs->Lines()->SetLines(folderLines);
  form->aCompare->Execute();
}

Rows MainFormTest::Rows() const {
  ::Rows rows;
  for (int r = 0; r < form->sgFiles->RowCount(); ++r)
    rows.emplace_back(form->sgFiles->Cells(0, r), form->sgFiles->Cells(1, r));
  return rows;
}

void ExpectBounds(const TControl* control, const TRect& bounds) {
  EXPECT_EQ(control->Left(), bounds.Left);
  EXPECT_EQ(control->Top(), bounds.Top);
  EXPECT_EQ(control->Width(), bounds.Width());
  EXPECT_EQ(control->Height(), bounds.Height());
}
