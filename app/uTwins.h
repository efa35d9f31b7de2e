// Which of the records of a comparison name files of identical content: candidates by equal
// size and checksum, confirmed byte for byte, and the pairs in the result list's order.
#pragma once

#include <functional>
#include <vector>

#include "uMain.h"

using TRecordClass = std::vector<int>;  // record indices, ascending

// The groups of two or more records with equal size and checksum, each ascending, in the
// order of their first record.
std::vector<TRecordClass> CandidateGroups(const std::vector<TFileRec>& records);

// Splits candidate groups into classes of files whose bytes are identical. The files of a
// group are read side by side, block by block, so that a group of k files costs k reads.
// A file that cannot be opened or read drops out, and a file reached through several
// records (one folder listed twice, two spellings of a path, hard links) counts once, under
// its first record.
class TContentConfirmer {
 public:
  // Called after each file is opened and after each round of blocks; false stops.
  using TStepHook = std::function<bool()>;
  explicit TContentConfirmer(TStepHook afterStep) : afterStep_(std::move(afterStep)) {}

  // Appends the confirmed classes of two or more records to *classes. False when the hook
  // asked to stop; the group then adds nothing.
  bool Confirm(const std::vector<TFileRec>& records, const TRecordClass& group,
               std::vector<TRecordClass>* classes);

 private:
  TStepHook afterStep_;
};

// Calls emit(I, J) for every pair of records of one class, I ascending and within it J
// ascending; the cost grows with the number of records plus the number of pairs.
void ForEachPair(int recordCount, const std::vector<TRecordClass>& classes,
                 const std::function<void(int I, int J)>& emit);
