// Answers the modal dialogs that code under test shows (message boxes and every other
// dialog of the process), from a thread of its own, and records what each one said.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What a dialog showed: its title and the texts of its static controls, one per line.
struct SeenDialog {
  std::string Title;
  std::string Text;
};

class DialogWatcher {
 public:
  // Picks the command that closes a dialog: a button id (1 is OK, 2 Cancel, 6 Yes, 7 No),
  // or 0 to close it like the title bar's close button does.
  using Answer = std::function<int(const SeenDialog&)>;
  static int AnswerOk(const SeenDialog&) { return 1; }

  // Starts watching at once; every dialog that appears while the watcher lives is answered.
  explicit DialogWatcher(Answer answer = AnswerOk);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  // The dialogs answered so far, in the order they appeared.
  std::vector<SeenDialog> Seen() const;
  // Waits until count dialogs have been answered; false when timeout passes first. Needed
  // only when the dialog comes from another thread: a modal call on the test's own thread
  // returns after the watcher has answered it.
  bool WaitForDialogs(std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

 private:
  void Watch();
  void AnswerNewDialogs();
  bool IsAnswered(void* dialog) const;

  Answer answer_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<SeenDialog> seen_;
  std::vector<void*> answered_;  // window handles, pruned once a window is gone
  std::thread thread_;
};
