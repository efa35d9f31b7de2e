// Fixture folders for tests: a fresh temporary folder per test, files written into it, and
// the folder for artifacts that a person looks at after the run.
#pragma once

#include <cstdint>
#include <string>

// A temporary folder that removes itself with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's absolute path, without a trailing backslash.
  const std::string& Path() const { return path_; }
  // The path of name inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
  // Writes a file (creating folders on the way) and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string MakeFolder(const std::string& name) const;

 private:
  std::string path_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);
// Removes a folder and all it holds; attributes that would stop the removal are cleared.
void RemoveTree(const std::string& path);
// Where tests save screenshots and other artifacts (TWINSEEK_ARTIFACTS, else the temp folder).
std::string ArtifactFolder();
