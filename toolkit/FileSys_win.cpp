// File and folder operations over Win32. The process's code page is UTF-8, so the ANSI
// entry points take the program's paths as they are.
#include <windows.h>

#include "FileSys.h"
#include "WinText.h"

namespace {
HANDLE Native(void* handle) { return static_cast<HANDLE>(handle); }

void* OpenForReading(const std::string& path, DWORD share) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  return h == INVALID_HANDLE_VALUE ? nullptr : h;
}
}  // namespace

TFileHandle TFileHandle::OpenExclusive(const std::string& path) {
  return TFileHandle(OpenForReading(path, 0));
}

TFileHandle TFileHandle::OpenRead(const std::string& path) {
  return TFileHandle(OpenForReading(path, FILE_SHARE_READ));
}

TFileHandle TFileHandle::Create(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return TFileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

TFileHandle TFileHandle::CreateNew(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return TFileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool TFileHandle::Write(const void* buffer, std::uint32_t size) {
  const std::uint32_t allowed = ClaimDiskSpace(size);
  DWORD n = 0;
  if (!WriteFile(Native(handle_), buffer, allowed, &n, nullptr)) return false;
  if (allowed < size) SetLastError(ERROR_DISK_FULL);
  return n == size;
}

bool TFileHandle::Flush() { return FlushFileBuffers(Native(handle_)) != FALSE; }

bool TFileHandle::Read(void* buffer, std::uint32_t size, std::uint32_t* read) {
  DWORD n = 0;
  BOOL ok = ReadFile(Native(handle_), buffer, size, &n, nullptr);
  *read = ok ? n : 0;
  return ok != FALSE;
}

std::int64_t TFileHandle::Size() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(Native(handle_), &size)) return -1;
  return size.QuadPart;
}

bool TFileHandle::GetIdentity(Identity* identity) const {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(Native(handle_), &info)) return false;
  identity->Volume = info.dwVolumeSerialNumber;
  identity->Index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

void TFileHandle::Close() {
  if (handle_) CloseHandle(Native(handle_));
  handle_ = nullptr;
}

bool ListFolder(const std::string& pattern, std::uint32_t mask, std::vector<TSearchRec>* entries) {
  entries->clear();
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(pattern.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    // A folder that exists but holds no match is an empty listing, not a failure.
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
  }
  const std::uint32_t excludable = faHidden | faSysFile | faVolumeID | faDirectory;
  do {
    std::uint32_t attr = data.dwFileAttributes;
    if ((attr & excludable & ~mask) != 0) continue;
    TSearchRec rec;
    rec.Name = data.cFileName;
    rec.Attr = attr;
    rec.Size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entries->push_back(std::move(rec));
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return true;
}

std::int64_t FileGetAttr(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr == INVALID_FILE_ATTRIBUTES ? -1 : static_cast<std::int64_t>(attr);
}

bool FileSetAttr(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool FileExists(const std::string& path) {
  std::int64_t attr = FileGetAttr(path);
  return attr >= 0 && (attr & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool DirectoryExists(const std::string& path) {
  std::int64_t attr = FileGetAttr(path);
  return attr >= 0 && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
}

bool ForceDirectories(const std::string& path) {
  std::string folder = path;
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  if (folder.empty() || DirectoryExists(folder)) return true;
  std::size_t cut = folder.find_last_of("\\/");
  if (cut != std::string::npos && cut > 0 && folder[cut - 1] != ':' &&
      !ForceDirectories(folder.substr(0, cut)))
    return false;
  return CreateDirectoryA(folder.c_str(), nullptr) != FALSE || DirectoryExists(folder);
}

std::string ExpandFileName(const std::string& path) {
  if (path.empty()) return path;
  std::wstring wide = Utf8ToWide(path);
  DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring full(n, L'\0');
  n = GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
  full.resize(n);
  return WideToUtf8(full);
}

std::string GetCurrentDir() {
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, buffer);
  return WideToUtf8(buffer, static_cast<int>(n));
}

std::string ApplicationFileName() {
  wchar_t buffer[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
  return WideToUtf8(buffer, static_cast<int>(n));
}

std::uint32_t LastOSError() { return GetLastError(); }
