// The pairing's parts on their own: candidate groups, the row order against every pair
// tested, and the cost of confirming a group.
#include <gtest/gtest.h>

#include <random>

#include "TestFiles.h"
#include "uTwins.h"

namespace {
std::vector<std::pair<int, int>> PairsOf(int count, const std::vector<TRecordClass>& classes) {
  std::vector<std::pair<int, int>> pairs;
  ForEachPair(count, classes, [&](int i, int j) { pairs.emplace_back(i, j); });
  return pairs;
}
}  // namespace

TEST(Pairing, RowsComeInTheOrderOfTestingEveryPair) {
  std::mt19937 random(5);
  for (int round = 0; round < 20; ++round) {
    std::vector<TFileRec> records;
    for (int i = 0; i < 300; ++i)
      records.push_back({"f" + std::to_string(i), static_cast<std::uint32_t>(random() % 7),
                         static_cast<std::uint32_t>(random() % 5)});
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i + 1 < 300; ++i)
      for (int j = i + 1; j < 300; ++j)
        if (records[i].Size == records[j].Size && records[i].Checksum == records[j].Checksum)
          expected.emplace_back(i, j);
    EXPECT_EQ(PairsOf(300, CandidateGroups(records)), expected);
  }
}

TEST(Pairing, GroupsHoldOnlyRecordsThatShareSizeAndChecksum) {
  std::vector<TFileRec> records = {
      {"a", 4, 1}, {"b", 4, 2}, {"c", 4, 1}, {"d", 5, 1}, {"e", 4, 2}, {"f", 9, 9}};
  EXPECT_EQ(CandidateGroups(records), (std::vector<TRecordClass>{{0, 2}, {1, 4}}));
  EXPECT_TRUE(CandidateGroups({}).empty());
}

TEST(Confirmation, ReadsAGroupOfIdenticalFilesOnceEach) {
  TempFolder dir;
  std::vector<TFileRec> records;
  const int k = 200;
  for (int i = 0; i < k; ++i)
    records.push_back({dir.Write("copy" + std::to_string(i), std::string(5000, 'z')), 5000, 0});
  TRecordClass group;
  for (int i = 0; i < k; ++i) group.push_back(i);
  int steps = 0;
  TContentConfirmer confirmer([&] {
    ++steps;
    return true;
  });
  std::vector<TRecordClass> classes;
  ASSERT_TRUE(confirmer.Confirm(records, group, &classes));
  EXPECT_EQ(classes, (std::vector<TRecordClass>{group}));
  // One step per file opened, then one per round of blocks: the files are read side by side
  // in one pass (one block each, then the end), not once for every other file.
  EXPECT_EQ(steps, k + 2);
}

TEST(Confirmation, SplitsAGroupByContentAndDropsFilesThatAreGone) {
  TempFolder dir;
  std::vector<TFileRec> records = {
      {dir.Write("a1", "AAAA-1234"), 9, 0}, {dir.Write("b1", "BBBB-1234"), 9, 0},
      {dir.Write("a2", "AAAA-1234"), 9, 0}, {dir / "vanished", 9, 0},
      {dir.Write("b2", "BBBB-1234"), 9, 0}, {dir.Write("c1", "CCCC-1234"), 9, 0}};
  TContentConfirmer confirmer([] { return true; });
  std::vector<TRecordClass> classes;
  ASSERT_TRUE(confirmer.Confirm(records, {0, 1, 2, 3, 4, 5}, &classes));
  EXPECT_EQ(classes, (std::vector<TRecordClass>{{0, 2}, {1, 4}}));
}

TEST(Confirmation, AStopAddsNothingOfTheGroupInProgress) {
  TempFolder dir;
  std::vector<TFileRec> records = {{dir.Write("a", "same"), 4, 0}, {dir.Write("b", "same"), 4, 0}};
  int steps = 0;
  TContentConfirmer confirmer([&] { return ++steps < 2; });
  std::vector<TRecordClass> classes;
  EXPECT_FALSE(confirmer.Confirm(records, {0, 1}, &classes));
  EXPECT_TRUE(classes.empty());
}
