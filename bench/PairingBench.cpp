// Prints how long the pairing of a comparison takes for many records, next to the pairing
// that tests every pair of records, measured in the same run on the same records.
#include <chrono>
#include <cstdio>
#include <random>

#include "uTwins.h"

namespace {

// Records of distinct content, plus `twins` extra records that copy earlier ones.
std::vector<TFileRec> MakeRecords(int distinct, int twins, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<TFileRec> records;
  records.reserve(distinct + twins);
  for (int i = 0; i < distinct; ++i)
    records.push_back({"C:\\data\\file" + std::to_string(i), static_cast<std::uint32_t>(random() % 100000),
                       static_cast<std::uint32_t>(random())});
  for (int i = 0; i < twins; ++i) records.push_back(records[random() % distinct]);
  return records;
}

// Every pair tested, I ascending and J ascending: the rows the grouped pairing must equal.
std::size_t PairEveryRecord(const std::vector<TFileRec>& r) {
  std::size_t rows = 0;
  for (std::size_t i = 0; i + 1 < r.size(); ++i)
    for (std::size_t j = i + 1; j < r.size(); ++j)
      if (r[i].Size == r[j].Size && r[i].Checksum == r[j].Checksum) ++rows;
  return rows;
}

// The grouping of the comparison, with every candidate group taken as confirmed.
std::size_t PairByGroups(const std::vector<TFileRec>& r) {
  std::vector<TRecordClass> groups = CandidateGroups(r);
  std::size_t rows = 0;
  ForEachPair(static_cast<int>(r.size()), groups, [&](int, int) { ++rows; });
  return rows;
}

template <class F>
double Seconds(F f, std::size_t* result) {
  auto start = std::chrono::steady_clock::now();
  *result = f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  std::printf("%10s %8s %8s %14s %14s %10s\n", "records", "twins", "rows", "grouped (s)",
              "every pair (s)", "ratio");
  for (int n : {5000, 10000, 20000, 40000}) {
    std::vector<TFileRec> records = MakeRecords(n, n / 100, 7);
    std::size_t grouped = 0, naive = 0;
    double g = Seconds([&] { return PairByGroups(records); }, &grouped);
    double e = Seconds([&] { return PairEveryRecord(records); }, &naive);
    std::printf("%10zu %8d %8zu %14.4f %14.4f %10.0f%s\n", records.size(), n / 100, grouped, g, e,
                e / g, grouped == naive ? "" : "  ROWS DIFFER");
  }
  for (int n : {100000, 1000000}) {
    std::vector<TFileRec> records = MakeRecords(n, 0, 11);
    std::size_t grouped = 0;
    double g = Seconds([&] { return PairByGroups(records); }, &grouped);
    std::printf("%10zu %8d %8zu %14.4f %14s %10s\n", records.size(), 0, grouped, g, "-", "-");
  }
  return 0;
}
