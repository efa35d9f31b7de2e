// The dialog watcher over Win32: it lists the top-level windows of the process, picks the
// visible ones of the dialog class, reads them and posts the chosen command.
#include "DialogWatcher.h"

#include <windows.h>

#include <algorithm>

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string utf8(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n,
                      nullptr, nullptr);
  return utf8;
}

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return Utf8(text);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool IsOwnVisibleDialog(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() && IsWindowVisible(window) &&
         ClassOf(window) == L"#32770";
}

std::vector<HWND> OwnDialogs() {
  std::vector<HWND> dialogs;
  EnumWindows(
      [](HWND window, LPARAM list) -> BOOL {
        if (IsOwnVisibleDialog(window))
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

// The texts of the static controls: a message box's message, a dialog's labels.
std::string StaticTexts(HWND dialog) {
  std::string texts;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM out) -> BOOL {
        std::string text = ClassOf(child) == L"Static" ? WindowText(child) : std::string();
        std::string& all = *reinterpret_cast<std::string*>(out);
        if (!text.empty()) all += (all.empty() ? "" : "\n") + text;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&texts));
  return texts;
}

void Close(HWND dialog, int command) {
  if (command == 0) {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    return;
  }
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, command)));
}

}  // namespace

DialogWatcher::DialogWatcher(Answer answer)
    : answer_(std::move(answer)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenDialog> DialogWatcher::Seen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return seen_;
}

bool DialogWatcher::WaitForDialogs(std::size_t count, std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (Seen().size() < count) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

void DialogWatcher::Watch() {
  while (!stop_) {
    AnswerNewDialogs();
    std::this_thread::sleep_for(kPollInterval);
  }
}

void DialogWatcher::AnswerNewDialogs() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    // A handle may be reused by a later dialog once its window is gone.
    answered_.erase(std::remove_if(answered_.begin(), answered_.end(),
                                   [](void* w) { return !IsWindow(static_cast<HWND>(w)); }),
                    answered_.end());
  }
  for (HWND dialog : OwnDialogs()) {
    if (IsAnswered(dialog)) continue;
    SeenDialog seen{WindowText(dialog), StaticTexts(dialog)};
    // The answer is chosen outside the lock, so that it may look at Seen() itself.
    const int command = answer_(seen);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      answered_.push_back(dialog);
      seen_.push_back(std::move(seen));
    }
    Close(dialog, command);
  }
}

bool DialogWatcher::IsAnswered(void* dialog) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return std::find(answered_.begin(), answered_.end(), dialog) != answered_.end();
}
