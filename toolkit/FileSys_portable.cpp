// File access of the native build over POSIX. It holds the operations that the text code
// uses (reading and writing whole files, existence and attributes); folder listing and
// path resolution have no native user and are left out.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "FileSys.h"

namespace {

// The handle holds the descriptor plus one, so that descriptor 0 is not the null handle.
void* FromDescriptor(int fd) {
  return fd < 0 ? nullptr : reinterpret_cast<void*>(static_cast<std::intptr_t>(fd) + 1);
}

int Descriptor(void* handle) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
}

}  // namespace

// POSIX has no share modes; the exclusive and the shared open differ only on Windows.
TFileHandle TFileHandle::OpenExclusive(const std::string& path) {
  return OpenRead(path);
}

TFileHandle TFileHandle::OpenRead(const std::string& path) {
  return TFileHandle(FromDescriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC)));
}

TFileHandle TFileHandle::Create(const std::string& path) {
  return TFileHandle(
      FromDescriptor(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)));
}

TFileHandle TFileHandle::CreateNew(const std::string& path) {
  return TFileHandle(
      FromDescriptor(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666)));
}

bool TFileHandle::Read(void* buffer, std::uint32_t size, std::uint32_t* read) {
  const ssize_t n = ::read(Descriptor(handle_), buffer, size);
  *read = n > 0 ? static_cast<std::uint32_t>(n) : 0;
  return n >= 0;
}

bool TFileHandle::Write(const void* buffer, std::uint32_t size) {
  const std::uint32_t allowed = ClaimDiskSpace(size);
  const char* bytes = static_cast<const char*>(buffer);
  for (std::uint32_t left = allowed; left > 0;) {
    const ssize_t n = ::write(Descriptor(handle_), bytes, left);
    if (n <= 0) return false;
    bytes += n;
    left -= static_cast<std::uint32_t>(n);
  }
  if (allowed < size) errno = ENOSPC;
  return allowed == size;
}

bool TFileHandle::Flush() { return fsync(Descriptor(handle_)) == 0; }

std::int64_t TFileHandle::Size() const {
  struct stat info;
  return fstat(Descriptor(handle_), &info) == 0 ? static_cast<std::int64_t>(info.st_size) : -1;
}

bool TFileHandle::GetIdentity(Identity* identity) const {
  struct stat info;
  if (fstat(Descriptor(handle_), &info) != 0) return false;
  identity->Volume = static_cast<std::uint32_t>(info.st_dev);
  identity->Index = static_cast<std::uint64_t>(info.st_ino);
  return true;
}

void TFileHandle::Close() {
  if (handle_) close(Descriptor(handle_));
  handle_ = nullptr;
}

std::int64_t FileGetAttr(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return -1;
  std::int64_t attributes = S_ISDIR(info.st_mode) ? faDirectory : faArchive;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= faReadOnly;
  return attributes;
}

bool FileSetAttr(const std::string& path, std::uint32_t attributes) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  const mode_t writable = S_IWUSR | S_IWGRP | S_IWOTH;
  const mode_t mode = (attributes & faReadOnly) ? info.st_mode & ~writable : info.st_mode | S_IWUSR;
  return chmod(path.c_str(), mode) == 0;
}

bool FileExists(const std::string& path) {
  const std::int64_t attributes = FileGetAttr(path);
  return attributes >= 0 && (attributes & faDirectory) == 0;
}

bool DirectoryExists(const std::string& path) {
  const std::int64_t attributes = FileGetAttr(path);
  return attributes >= 0 && (attributes & faDirectory) != 0;
}

bool DeleteFileAt(const std::string& path) {
  return unlink(path.c_str()) == 0;
}

bool ReplaceFileWith(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

std::uint32_t LastOSError() {
  return static_cast<std::uint32_t>(errno);
}
