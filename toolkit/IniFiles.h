// INI files: the abstract interface that every INI file offers, and the in-memory INI file
// that reads a whole file when it is created and writes it back on request.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Classes.h"
#include "SysUtils.h"

// Days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// The operations of an INI file. Descendants supply the storage through the abstract
// operations; every typed writer formats its value as text and calls WriteString, so an
// override of WriteString sees every write.
class TCustomIniFile : public TObject {
  DECLARE_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(const std::string& fileName) : FileName(fileName) {}

  // The path given at construction.
  const std::string FileName;

  // The virtual operations keep this declaration order, which is their slot order.
  virtual std::string ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident,
                           const std::string& value) = 0;
  virtual std::int32_t ReadInteger(const std::string& section, const std::string& ident,
                                   std::int32_t defaultValue);
  virtual void WriteInteger(const std::string& section, const std::string& ident,
                            std::int32_t value);
  virtual bool ReadBool(const std::string& section, const std::string& ident, bool defaultValue);
  virtual void WriteBool(const std::string& section, const std::string& ident, bool value);
  // Binary values are stored as two hexadecimal digits per byte. Returns the number of bytes
  // read; a value that is not such a text gives none.
  virtual int ReadBinaryStream(const std::string& section, const std::string& ident,
                               std::vector<std::uint8_t>& value);
  // Dates and times are stored as YYYY-MM-DD, hh:mm:ss and "YYYY-MM-DD hh:mm:ss", the same
  // under every locale. A value in another form gives the default.
  virtual TDateTime ReadDate(const std::string& section, const std::string& ident,
                             TDateTime defaultValue);
  virtual TDateTime ReadDateTime(const std::string& section, const std::string& ident,
                                 TDateTime defaultValue);
  virtual double ReadFloat(const std::string& section, const std::string& ident,
                           double defaultValue);
  virtual TDateTime ReadTime(const std::string& section, const std::string& ident,
                             TDateTime defaultValue);
  virtual void WriteBinaryStream(const std::string& section, const std::string& ident,
                                 const std::vector<std::uint8_t>& value);
  virtual void WriteDate(const std::string& section, const std::string& ident, TDateTime value);
  virtual void WriteDateTime(const std::string& section, const std::string& ident, TDateTime value);
  virtual void WriteFloat(const std::string& section, const std::string& ident, double value);
  virtual void WriteTime(const std::string& section, const std::string& ident, TDateTime value);
  virtual void ReadSection(const std::string& section, TStrings& strings) = 0;
  virtual void ReadSections(TStrings& strings) = 0;
  virtual void ReadSectionValues(const std::string& section, TStrings& strings) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;
};

// The number syntaxes of INI values. They are separate from the readers so that the float
// syntax can be exercised with any decimal separator; ReadFloat passes the user's.
//
// Integers: blanks (code 32) in front, at most one sign, then decimal digits within the
// signed 32-bit range, or a prefix $, x, X, 0x or 0X and up to eight significant hexadecimal
// digits whose 32 bits are read as a signed number. Nothing may follow the digits.
bool IniStrToInt(const std::string& text, std::int32_t* value);
// Floats: blanks in front, at most one sign, digits, optionally the separator and more
// digits, optionally E or e with at most one sign and digits, blanks behind. A value beyond
// the range of double precision does not convert.
bool IniStrToFloat(const std::string& text, char decimalSeparator, double* value);

// An INI file held in memory. Section and key names match without regard to case (the
// user's locale); of several sections or keys with one name the last one counts.
class TMemIniFile : public TCustomIniFile {
  DECLARE_CLASS(TMemIniFile, TCustomIniFile)
 public:
  // Reads the whole file. An empty name or a missing file gives an empty store; a file that
  // exists but cannot be read raises EFOpenError.
  explicit TMemIniFile(const std::string& fileName);

  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& defaultValue) override;
  void WriteString(const std::string& section, const std::string& ident,
                   const std::string& value) override;
  void ReadSection(const std::string& section, TStrings& strings) override;
  void ReadSections(TStrings& strings) override;
  void ReadSectionValues(const std::string& section, TStrings& strings) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  // Writes the whole store to FileName: EFCreateError when the file cannot be created,
  // EIniFileException when it cannot be written completely.
  void UpdateFile() override;

  // The bytes that UpdateFile writes.
  std::string ToText() const;

 protected:
  // Replaces the whole content by what text holds, read exactly as a file's bytes are.
  void LoadFromText(const std::string& text);

 private:
  // Maps upper-cased names to the position of their last occurrence in a list. It is
  // marked stale whenever the list changes and rebuilt at the next lookup.
  struct TNameIndex {
    // Made at the first lookup: most sections of a large file are never looked into.
    std::unique_ptr<std::unordered_map<std::string, std::size_t>> Positions;
    bool Valid = false;
  };
  struct TSection {
    std::string Name;
    std::vector<std::string> Lines;  // key lines "name=value" and bare lines
    TNameIndex Keys;
  };

  TSection* FindSection(const std::string& name);
  TSection& FindOrAddSection(const std::string& name);
  std::optional<std::size_t> SectionPosition(const std::string& name);
  static std::optional<std::size_t> KeyLinePosition(TSection& section, const std::string& ident);

  std::vector<TSection> sections_;
  TNameIndex sectionIndex_;
};
