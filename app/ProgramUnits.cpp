// The start and end order of the program's units.
#include "ProgramUnits.h"

#include <iterator>

#include "Forms.h"
#include "deVadirazaUn.h"
#include "uMain.h"

namespace {
struct TUnit {
  const char* Name;
  void (*Initialize)();
  void (*Finalize)();
};

// Units whose start and end do nothing are listed too, so that the table is the whole order.
const TUnit kUnits[] = {
    {"Toolkit", InitToolkit, DoneToolkit},
    {"kxINIFile", nullptr, nullptr},
    {"deVadirazaConst", nullptr, nullptr},
    {"kxCtrlUtils", nullptr, nullptr},
    {"kxStrUtils", nullptr, nullptr},
    {"deVadirazaUn", InitializeDeVadirazaUn, FinalizeDeVadirazaUn},
    {"uSelDir", nullptr, nullptr},
    {"uLang", nullptr, nullptr},
    {"uMain", InitializeUMain, FinalizeUMain},
};
}  // namespace

void TProgramUnits::Start() {
  for (; started_ < std::size(kUnits); ++started_)
    if (kUnits[started_].Initialize) kUnits[started_].Initialize();
}

void TProgramUnits::End() {
  for (; started_ > 0; --started_)
    if (kUnits[started_ - 1].Finalize) kUnits[started_ - 1].Finalize();
}
