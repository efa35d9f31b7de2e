// Candidate groups, byte-for-byte confirmation and the pair order.
#include "uTwins.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "FileSys.h"

namespace {
std::uint64_t ContentKey(const TFileRec& r) {
  return (static_cast<std::uint64_t>(r.Size) << 32) | r.Checksum;
}

// Memory for the blocks of one group stays within this, whatever the group's size.
constexpr std::size_t kGroupBudget = 64u << 20;
constexpr std::size_t kMinBlock = 4096, kMaxBlock = 65536;

std::size_t BlockSizeFor(std::size_t members, std::int64_t largestFile) {
  std::size_t block = std::clamp(kGroupBudget / std::max<std::size_t>(members, 1), kMinBlock, kMaxBlock);
  // A small file is read whole in one block, plus one byte that shows a longer file.
  return static_cast<std::size_t>(std::min<std::int64_t>(block, std::max<std::int64_t>(largestFile, 0) + 1));
}

struct Member {
  int record;
  TFileHandle file;
  std::vector<char> block;
  std::uint32_t filled = 0;
};
}  // namespace

std::vector<TRecordClass> CandidateGroups(const std::vector<TFileRec>& records) {
  std::unordered_map<std::uint64_t, int> groupOfKey;
  std::vector<TRecordClass> groups;
  groupOfKey.reserve(records.size());
  for (int i = 0; i < static_cast<int>(records.size()); ++i) {
    auto [it, added] = groupOfKey.try_emplace(ContentKey(records[i]), static_cast<int>(groups.size()));
    if (added) groups.emplace_back();
    groups[it->second].push_back(i);
  }
  groups.erase(std::remove_if(groups.begin(), groups.end(),
                              [](const TRecordClass& g) { return g.size() < 2; }),
               groups.end());
  return groups;
}

bool TContentConfirmer::Confirm(const std::vector<TFileRec>& records, const TRecordClass& group,
                                std::vector<TRecordClass>* classes) {
  std::vector<Member> members;
  std::vector<TFileHandle::Identity> identities;
  members.reserve(group.size());
  for (int record : group) {
    Member m{record, TFileHandle::OpenExclusive(records[record].FileName), {}, 0};
    TFileHandle::Identity id;
    bool known = m.file.IsOpen() && m.file.GetIdentity(&id);
    bool repeated = known && std::find(identities.begin(), identities.end(), id) != identities.end();
    if (known && !repeated) {
      identities.push_back(id);
      members.push_back(std::move(m));
    }
    if (!afterStep_()) return false;
  }
  // The sizes of the open files, not the records' sizes modulo 2^32, which may be far smaller.
  std::int64_t largest = 0;
  for (const Member& m : members) largest = std::max(largest, m.file.Size());
  std::size_t blockSize = BlockSizeFor(members.size(), largest);
  for (Member& m : members) m.block.resize(blockSize);

  // Classes of member indices still being compared; a class ends when its files end together.
  std::vector<std::vector<int>> open(1);
  for (int i = 0; i < static_cast<int>(members.size()); ++i) open[0].push_back(i);
  std::vector<TRecordClass> confirmed;
  while (!open.empty()) {
    std::vector<std::vector<int>> next;
    for (const std::vector<int>& cls : open) {
      if (cls.size() < 2) continue;
      std::vector<std::vector<int>> parts;
      for (int i : cls) {
        Member& m = members[i];
        if (!m.file.Read(m.block.data(), static_cast<std::uint32_t>(blockSize), &m.filled)) continue;
        auto same = [&](const std::vector<int>& part) {
          const Member& first = members[part.front()];
          return first.filled == m.filled && std::memcmp(first.block.data(), m.block.data(), m.filled) == 0;
        };
        auto part = std::find_if(parts.begin(), parts.end(), same);
        if (part == parts.end())
          parts.push_back({i});
        else
          part->push_back(i);
      }
      for (std::vector<int>& part : parts) {
        if (part.size() < 2) continue;
        if (members[part.front()].filled > 0) {
          next.push_back(std::move(part));
          continue;
        }
        TRecordClass done;
        for (int i : part) done.push_back(members[i].record);
        confirmed.push_back(std::move(done));
      }
    }
    open = std::move(next);
    if (!afterStep_()) return false;
  }
  for (TRecordClass& c : confirmed) classes->push_back(std::move(c));
  return true;
}

void ForEachPair(int recordCount, const std::vector<TRecordClass>& classes,
                 const std::function<void(int, int)>& emit) {
  struct Place {
    int cls = -1;
    int position = 0;
  };
  std::vector<Place> place(recordCount);
  for (int c = 0; c < static_cast<int>(classes.size()); ++c)
    for (int p = 0; p < static_cast<int>(classes[c].size()); ++p) place[classes[c][p]] = {c, p};
  for (int i = 0; i < recordCount; ++i) {
    if (place[i].cls < 0) continue;
    const TRecordClass& cls = classes[place[i].cls];
    for (std::size_t p = place[i].position + 1; p < cls.size(); ++p) emit(i, cls[p]);
  }
}
