// File and folder operations over the operating system, for code that must not see a
// Windows header. Paths are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An open file, or none. Closes itself.
class TFileHandle {
 public:
  TFileHandle() = default;
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  TFileHandle(TFileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  ~TFileHandle() { Close(); }

  // Opens an existing file for reading, shared with nobody: fails while another handle
  // holds the file, and keeps every other opener out while it is held.
  static TFileHandle OpenExclusive(const std::string& path);
  // Opens an existing file for reading, letting others read it too but not write.
  static TFileHandle OpenRead(const std::string& path);
  // Creates a file for writing, or empties it when it exists.
  static TFileHandle Create(const std::string& path);
  // Creates a file for writing only when none of that name exists at this moment; never
  // empties a file that is there.
  static TFileHandle CreateNew(const std::string& path);

  bool IsOpen() const { return handle_ != nullptr; }
  // Reads up to size bytes; false on a read error. *read is 0 at the end of the file.
  bool Read(void* buffer, std::uint32_t size, std::uint32_t* read);
  // Writes all size bytes; false when the system wrote fewer (a full disk, say).
  bool Write(const void* buffer, std::uint32_t size);
  // Makes the system put everything written so far on the disk; false when it cannot.
  bool Flush();
  // The size in bytes, or -1 when the system cannot tell.
  std::int64_t Size() const;
  // Identifies the file behind the handle: two handles on one file (also through two
  // spellings of its path or through hard links) give the same identity.
  struct Identity {
    std::uint32_t Volume = 0;
    std::uint64_t Index = 0;
    bool operator==(const Identity&) const = default;
  };
  bool GetIdentity(Identity* identity) const;
  void Close();

 private:
  explicit TFileHandle(void* handle) : handle_(handle) {}
  void* handle_ = nullptr;
};

// One entry of a folder listing.
struct TSearchRec {
  std::string Name;
  std::uint32_t Attr = 0;
  std::int64_t Size = 0;
};

// File attributes as the system reports them.
enum : std::uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faReparsePoint = 0x400,  // a link such as a junction or a symbolic link to a folder
  faAnyFile = 0x3F,
};

// Lists the entries matching pattern (a path with "*" and "?" in its last part) whose
// attributes fit mask: an entry with hidden, system, volume-label or directory attributes is
// delivered only when the mask holds that attribute. False when the folder cannot be searched.
bool ListFolder(const std::string& pattern, std::uint32_t mask, std::vector<TSearchRec>* entries);

bool FileExists(const std::string& path);       // a folder does not count
bool DirectoryExists(const std::string& path);
bool DeleteFileAt(const std::string& path);      // removes for good, not to a recycle bin
// Moves the file from over the file to in one step, so that to is always either the old
// file or the whole new one; false when the system refuses (to is read-only, say).
bool ReplaceFileWith(const std::string& from, const std::string& to);
bool ForceDirectories(const std::string& path);  // creates every missing folder of the path
// The absolute form of a path, resolved against the current folder.
std::string ExpandFileName(const std::string& path);
std::string GetCurrentDir();
// The full path of the running executable.
std::string ApplicationFileName();
// The system's attribute bits of a path, or -1 when it does not exist.
std::int64_t FileGetAttr(const std::string& path);
bool FileSetAttr(const std::string& path, std::uint32_t attributes);
// The last system error code of this thread.
std::uint32_t LastOSError();

// For tests of a full disk: from now on, writes succeed for bytes more bytes in all and
// then fail, having written what fitted, as a full disk makes them. A negative value (the
// state at start) lifts the limit.
void SimulateDiskFullAfter(std::int64_t bytes);
// How many of size bytes a write may put on the disk under that limit, counting them off.
std::uint32_t ClaimDiskSpace(std::uint32_t size);
