// Prints how long a folder listing of many names takes to sort in the locale's order
// without regard to case, next to a plain byte-wise sort of the same names.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "Classes.h"

namespace {
std::vector<std::string> MakeNames(int count) {
  std::mt19937 random(3);
  const char* stems[] = {"Фото", "photo", "Документ", "report", "IMG_", "Отчёт", "Копия", "data"};
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i)
    names.push_back(std::string(stems[random() % 8]) + " " + std::to_string(random() % 1000000) + ".jpg");
  return names;
}

template <class F>
double Seconds(F f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

int main() {
  std::printf("%10s %16s %16s %8s\n", "names", "locale sort (s)", "byte sort (s)", "ratio");
  for (int n : {10000, 100000}) {
    std::vector<std::string> names = MakeNames(n);
    double locale = Seconds([&] {
      TStringList list;
      list.SetSorted(true);
      list.SetDuplicates(TDuplicates::dupAccept);
      list.SetLines(names);
    });
    double bytes = Seconds([&] {
      std::vector<std::string> copy = names;
      std::sort(copy.begin(), copy.end());
    });
    std::printf("%10d %16.3f %16.3f %8.1f\n", n, locale, bytes, locale / bytes);
  }
  return 0;
}
