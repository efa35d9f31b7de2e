// The language store: one language file held in memory, which remembers whether it holds
// changes and writes them back when it is released.
#pragma once

#include <string>

#include "IniFiles.h"

class TkxINIFile : public TMemIniFile {
  DECLARE_CLASS(TkxINIFile, TMemIniFile)
 public:
  // Reads the whole file; see TMemIniFile for a missing or unreadable file.
  explicit TkxINIFile(const std::string& fileName);
  // Runs WriteBack unless it has run since the last change. An error of the write-back
  // cannot leave a destructor; whoever needs to see it calls WriteBack first.
  ~TkxINIFile() override;

  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override;

  // True while the store holds changes that are not written to the file.
  bool Modified() const { return modified_; }

  // What release does with the file: a modified store of a writable file is written back;
  // for a read-only file the user is told that the changes are lost; a file that has
  // disappeared is written again when the store holds any section, unless its folder has
  // gone too or another file of that name has appeared meanwhile. Raises what UpdateFile
  // raises.
  void WriteBack();

 private:
  void Changed();
  void WriteBackExisting();
  void RecreateMissing();

  bool modified_ = false;
  // True once WriteBack has run and nothing has changed since, so that release does not
  // write, or tell the user, a second time.
  bool writeBackDone_ = false;
};
