// Fixture folders over Win32.
#include "TestFiles.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <stdexcept>

#include "FileSys.h"
#include "SysUtils.h"

namespace {
std::string TempRoot() {
  char buffer[MAX_PATH];
  DWORD n = GetTempPathA(MAX_PATH, buffer);
  return ExcludeTrailingPathDelimiter(std::string(buffer, n));
}
}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  path_ = TempRoot() + "\\twinseek-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(counter++);
  RemoveTree(path_);
  if (!ForceDirectories(path_)) throw std::runtime_error("cannot create " + path_);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::string path = *this / name;
  ForceDirectories(ExtractFilePath(path));
  WriteWholeFile(path, bytes);
  return path;
}

std::string TempFolder::MakeFolder(const std::string& name) const {
  std::string path = *this / name;
  if (!ForceDirectories(path)) throw std::runtime_error("cannot create " + path);
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  TFileHandle file = TFileHandle::OpenRead(path);
  if (!file.IsOpen()) throw std::runtime_error("cannot open " + path);
  std::string bytes;
  char buffer[65536];
  std::uint32_t n;
  while (file.Read(buffer, sizeof buffer, &n) && n > 0) bytes.append(buffer, n);
  return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  TFileHandle file = TFileHandle::Create(path);
  if (!file.IsOpen() || !file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())))
    throw std::runtime_error("cannot write " + path);
}

void RemoveTree(const std::string& path) {
  std::vector<TSearchRec> entries;
  if (ListFolder(path + "\\*", faAnyFile, &entries)) {
    for (const TSearchRec& e : entries) {
      if (e.Name == "." || e.Name == "..") continue;
      std::string child = path + "\\" + e.Name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (e.Attr & faDirectory)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    }
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

std::string ArtifactFolder() {
  const char* folder = std::getenv("TWINSEEK_ARTIFACTS");
  std::string path = folder && *folder ? folder : TempRoot() + "\\twinseek-artifacts";
  // The build passes a Unix path; Wine maps the root of the Unix file system to Z:.
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  ForceDirectories(path);
  return path;
}
