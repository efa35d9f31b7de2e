// Locks: the re-entrant critical section over the system's own, and a guard that leaves it
// on every path out of a scope, exceptions included.
#pragma once

// A lock that the thread holding it may enter again; it is free once that thread has left
// it as often as it entered.
class TCriticalSection {
 public:
  TCriticalSection();
  ~TCriticalSection();
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Acquire();
  void Release();
  void Enter() { Acquire(); }
  void Leave() { Release(); }

 private:
  void* section_;  // the system's CRITICAL_SECTION
};

// Holds a critical section from its construction to the end of its scope.
class TLockGuard {
 public:
  explicit TLockGuard(TCriticalSection& lock) : lock_(lock) { lock_.Enter(); }
  ~TLockGuard() { lock_.Leave(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  TCriticalSection& lock_;
};
