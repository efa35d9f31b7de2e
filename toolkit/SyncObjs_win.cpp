// The critical section over Win32's, which is re-entrant for its owning thread.
#include <windows.h>

#include "SyncObjs.h"

namespace {
CRITICAL_SECTION* Native(void* section) { return static_cast<CRITICAL_SECTION*>(section); }
}  // namespace

TCriticalSection::TCriticalSection() : section_(new CRITICAL_SECTION) {
  InitializeCriticalSection(Native(section_));
}

TCriticalSection::~TCriticalSection() {
  DeleteCriticalSection(Native(section_));
  delete Native(section_);
}

void TCriticalSection::Acquire() { EnterCriticalSection(Native(section_)); }

void TCriticalSection::Release() { LeaveCriticalSection(Native(section_)); }
