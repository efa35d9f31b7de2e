// The program's units in the one order in which they start, ending in reverse: the
// toolkit, the localisation library's units, then the application's. Keeping the order in
// one table, rather than in the static initialisation of separate sources, makes it the
// same on every build.
#pragma once

#include <cstddef>

class TProgramUnits {
 public:
  TProgramUnits() = default;
  // Ends every unit that started, last first.
  ~TProgramUnits() { End(); }
  TProgramUnits(const TProgramUnits&) = delete;
  TProgramUnits& operator=(const TProgramUnits&) = delete;

  // Starts the units in order. When one fails, those that started stay started (so that
  // the error can still be shown) and the error goes on to the caller.
  void Start();
  void End();

 private:
  std::size_t started_ = 0;
};
