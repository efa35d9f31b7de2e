// A main window read from its form resource and shown on the test display, with helpers to
// run comparisons and read the result list.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "uMain.h"

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Puts the lines into the folder list and runs the compare action as a click would.
  void Compare(const std::vector<std::string>& folderLines);
  // The result list, row by row.
  std::vector<std::pair<std::string, std::string>> Rows() const;

  TMainForm* form = nullptr;
};

using Rows = std::vector<std::pair<std::string, std::string>>;

// Checks a control's position and size against a layout table's row.
void ExpectBounds(const TControl* control, const TRect& bounds);
