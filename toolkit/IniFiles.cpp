// INI files over the toolkit's file access: the line syntax, the name indexes, the typed
// conversions and the write-back. No Windows header, so the parser also builds natively.
#include "IniFiles.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "Consts.h"
#include "FileSys.h"

namespace {

constexpr char kDelimiter = '=';
constexpr char kComment = ';';
const char* const kLineBreak = "\r\n";

// ---- number syntax

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void SkipSpaces(const std::string& text, std::size_t* pos) {
  while (*pos < text.size() && text[*pos] == ' ') ++*pos;
}

// Consumes an optional "+" or "-"; true when it was "-".
bool ReadSign(const std::string& text, std::size_t* pos) {
  if (*pos >= text.size() || (text[*pos] != '+' && text[*pos] != '-')) return false;
  return text[(*pos)++] == '-';
}

std::string ReadDigitRun(const std::string& text, std::size_t* pos) {
  const std::size_t start = *pos;
  while (*pos < text.size() && IsDigit(text[*pos])) ++*pos;
  return text.substr(start, *pos - start);
}

// Consumes a hexadecimal prefix: "$", "x", "X", "0x" or "0X".
bool ReadHexPrefix(const std::string& text, std::size_t* pos) {
  const std::size_t i = *pos;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    *pos = i + 1;
    return true;
  }
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    *pos = i + 2;
    return true;
  }
  return false;
}

// The rest of text from pos must be one to eight significant hexadecimal digits.
bool ReadHexTail(const std::string& text, std::size_t pos, std::uint32_t* bits) {
  if (pos >= text.size()) return false;
  std::uint32_t value = 0;
  int significant = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigitValue(text[pos]);
    if (digit < 0) return false;
    if (significant > 0 || digit != 0) ++significant;
    if (significant > 8) return false;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  *bits = value;
  return true;
}

// The rest of text from pos must be decimal digits whose value is at most limit.
bool ReadDecimalTail(const std::string& text, std::size_t pos, std::uint64_t limit,
                     std::uint64_t* magnitude) {
  if (pos >= text.size()) return false;
  std::uint64_t value = 0;
  for (; pos < text.size(); ++pos) {
    if (!IsDigit(text[pos])) return false;
    value = value * 10 + static_cast<std::uint64_t>(text[pos] - '0');
    // Leaving at the first step past the limit keeps the value far from overflowing.
    if (value > limit) return false;
  }
  *magnitude = value;
  return true;
}

// Whether digits (wholeDigits of them in front of the separator) times ten to the exponent
// lie below the range of double precision rather than above it. Only asked when the
// converter found the value out of range, so the digits are not all zero.
bool IsBelowSmallestDouble(const std::string& digits, std::size_t wholeDigits,
                           bool negativeExponent, const std::string& exponent) {
  const std::size_t firstSignificant = digits.find_first_not_of('0');
  if (firstSignificant == std::string::npos) return false;
  // The power of ten of the first significant digit, with the exponent read only as far as
  // it matters: anything beyond a million is far outside the range either way.
  std::int64_t power = 0;
  for (char c : exponent) power = std::min<std::int64_t>(power * 10 + (c - '0'), 1000000);
  if (negativeExponent) power = -power;
  power += static_cast<std::int64_t>(wholeDigits) - static_cast<std::int64_t>(firstSignificant) - 1;
  return power < 0;
}

// ---- dates and times

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

constexpr sys_days kDateTimeEpoch{std::chrono::year{1899} / 12 / 30};
constexpr int kMillisecondsPerDay = 86400000;
// Years 1 to 9999 as day numbers: the range of the stored form YYYY-MM-DD.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958466;

// The whole days are the date, counted from the epoch in either direction; the fraction,
// whatever its sign, is the time of day.
void CheckDateTime(TDateTime value) {
  if (!(value >= kFirstDay && value < kLastDay)) throw ERangeError(LoadResString(&SRangeError));
}

std::string DateText(TDateTime value) {
  CheckDateTime(value);
  const year_month_day date{kDateTimeEpoch + days{static_cast<int>(std::trunc(value))}};
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

std::string TimeText(TDateTime value) {
  CheckDateTime(value);
  const double fraction = std::fabs(value - std::trunc(value));
  const int milliseconds = std::min(static_cast<int>(std::lround(fraction * kMillisecondsPerDay)),
                                    kMillisecondsPerDay - 1);
  const int seconds = milliseconds / 1000;
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return buffer;
}

// Reads exactly width digits at *pos, followed by separator unless that is 0.
bool ReadField(const std::string& text, std::size_t* pos, std::size_t width, char separator,
               int* value) {
  if (*pos + width > text.size()) return false;
  int result = 0;
  for (std::size_t k = 0; k < width; ++k) {
    const char c = text[*pos + k];
    if (!IsDigit(c)) return false;
    result = result * 10 + (c - '0');
  }
  *pos += width;
  if (separator != 0) {
    if (*pos >= text.size() || text[*pos] != separator) return false;
    ++*pos;
  }
  *value = result;
  return true;
}

bool ParseDate(const std::string& text, std::size_t* pos, TDateTime* value) {
  int y, m, d;
  if (!ReadField(text, pos, 4, '-', &y) || !ReadField(text, pos, 2, '-', &m) ||
      !ReadField(text, pos, 2, 0, &d))
    return false;
  const year_month_day date{std::chrono::year{y} / m / d};
  if (y < 1 || !date.ok()) return false;
  *value = static_cast<double>((sys_days{date} - kDateTimeEpoch).count());
  return true;
}

bool ParseTime(const std::string& text, std::size_t* pos, TDateTime* value) {
  int h, m, s;
  if (!ReadField(text, pos, 2, ':', &h) || !ReadField(text, pos, 2, ':', &m) ||
      !ReadField(text, pos, 2, 0, &s) || h > 23 || m > 59 || s > 59)
    return false;
  *value = (h * 3600 + m * 60 + s) * 1000.0 / kMillisecondsPerDay;
  return true;
}

// ---- binary values

std::string HexText(const std::vector<std::uint8_t>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>* bytes) {
  if (text.size() % 2 != 0) return false;
  std::vector<std::uint8_t> result;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigitValue(text[i]), low = HexDigitValue(text[i + 1]);
    if (high < 0 || low < 0) return false;
    result.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  *bytes = std::move(result);
  return true;
}

// ---- the line syntax

// The name of a key line, or nothing for a bare line.
std::optional<std::string> KeyName(const std::string& line) {
  const std::size_t eq = line.find(kDelimiter);
  if (eq == std::string::npos) return std::nullopt;
  return line.substr(0, eq);
}

bool IsSectionHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Calls addLine for each line of text: lines end at CR, LF or CR LF, and the last needs no
// line end.
template <class AddLine>
void ForEachLine(const std::string& text, AddLine addLine) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    addLine(text.substr(start, end - start));
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
}

// Brings index up to date with a list of count entries, nameAt(i) giving the name of
// entry i or nothing, and returns the position of the last entry named name.
template <class Index, class NameAt>
std::optional<std::size_t> LookUp(Index& index, std::size_t count, NameAt nameAt,
                                  const std::string& name) {
  if (!index.Valid) {
    if (!index.Positions) index.Positions = std::make_unique<typename decltype(index.Positions)::element_type>();
    index.Positions->clear();
    // Later entries overwrite earlier ones, so each name ends up at its last occurrence.
    for (std::size_t i = 0; i < count; ++i)
      if (std::optional<std::string> entry = nameAt(i)) (*index.Positions)[AnsiUpperCase(*entry)] = i;
    index.Valid = true;
  }
  const auto found = index.Positions->find(AnsiUpperCase(name));
  if (found == index.Positions->end()) return std::nullopt;
  return found->second;
}

// ---- file access

[[noreturn]] void RaiseOpenError(const std::string& fileName) {
  const std::uint32_t reason = LastOSError();
  throw EFOpenError(LoadResFmt(&SFOpenErrorEx, {fileName, SysErrorMessage(reason)}));
}

// A language or settings file is a few kilobytes; anything near this size is not one, and
// reading it whole would only exhaust memory.
constexpr std::int64_t kMaxFileSize = std::int64_t{64} << 20;

[[noreturn]] void RaiseTooLarge(const std::string& fileName) {
  throw EFOpenError(LoadResFmt(&SFOpenErrorEx,
                               {fileName, LoadResFmt(&SFileTooLarge, {kMaxFileSize >> 20})}));
}

std::string ReadFileBytes(const std::string& fileName) {
  TFileHandle file = TFileHandle::OpenRead(fileName);
  if (!file.IsOpen()) RaiseOpenError(fileName);
  const std::int64_t size = file.Size();
  if (size > kMaxFileSize) RaiseTooLarge(fileName);
  std::string bytes;
  bytes.reserve(size > 0 ? static_cast<std::size_t>(size) : 0);
  std::vector<char> buffer(1 << 16);
  for (;;) {
    std::uint32_t n = 0;
    if (!file.Read(buffer.data(), static_cast<std::uint32_t>(buffer.size()), &n))
      RaiseOpenError(fileName);
    if (n == 0) return bytes;
    // The file may grow while it is read.
    if (static_cast<std::int64_t>(bytes.size()) + n > kMaxFileSize) RaiseTooLarge(fileName);
    bytes.append(buffer.data(), n);
  }
}

[[noreturn]] void RaiseCreateError(const std::string& fileName, std::uint32_t reason) {
  throw EFCreateError(LoadResFmt(&SFCreateErrorEx, {fileName, SysErrorMessage(reason)}));
}

// Writes all of bytes into an open file, in pieces, because one write takes at most 32 bits
// of size.
bool WriteAll(TFileHandle& file, const std::string& bytes) {
  const std::size_t kPiece = 1 << 20;
  for (std::size_t done = 0; done < bytes.size(); done += kPiece) {
    const std::size_t size = std::min(kPiece, bytes.size() - done);
    if (!file.Write(bytes.data() + done, static_cast<std::uint32_t>(size))) return false;
  }
  return true;
}

// A new file beside fileName for the text that is to replace it: the first free name of
// the form "name.~N.tmp", created exclusively, so that no other file is ever emptied.
// Raises the creation error when there is none.
TFileHandle CreateTemporaryBeside(const std::string& fileName, std::string* tempName) {
  std::uint32_t reason = 0;
  for (int n = 0; n < 100; ++n) {
    *tempName = fileName + ".~" + std::to_string(n) + ".tmp";
    TFileHandle file = TFileHandle::CreateNew(*tempName);
    if (file.IsOpen()) return file;
    reason = LastOSError();
    // Only a name that is taken is worth another try.
    if (FileGetAttr(*tempName) < 0) break;
  }
  RaiseCreateError(fileName, reason);
}

// The text goes to a temporary file beside the target, which takes the target's place only
// once it is written whole and flushed: a write that fails part way (a full disk, a quota)
// leaves the old file as it was.
void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
  std::string tempName;
  TFileHandle file = CreateTemporaryBeside(fileName, &tempName);
  const bool written = WriteAll(file, bytes) && file.Flush();
  file.Close();
  if (!written) {
    DeleteFileAt(tempName);
    throw EIniFileException(LoadResFmt(&SIniFileWriteError, {fileName}));
  }
  if (!ReplaceFileWith(tempName, fileName)) {
    const std::uint32_t reason = LastOSError();
    DeleteFileAt(tempName);
    RaiseCreateError(fileName, reason);
  }
}

}  // namespace

// ---- number conversion

bool IniStrToInt(const std::string& text, std::int32_t* value) {
  std::size_t pos = 0;
  SkipSpaces(text, &pos);
  const bool negative = ReadSign(text, &pos);
  if (ReadHexPrefix(text, &pos)) {
    std::uint32_t bits;
    if (!ReadHexTail(text, pos, &bits)) return false;
    // Modular arithmetic on the unsigned bits: "-$80000000" stays the smallest integer.
    *value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
  }
  const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
  std::uint64_t magnitude;
  if (!ReadDecimalTail(text, pos, limit, &magnitude)) return false;
  *value = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
  return true;
}

bool IniStrToFloat(const std::string& text, char decimalSeparator, double* value) {
  std::size_t pos = 0;
  SkipSpaces(text, &pos);
  const bool negative = ReadSign(text, &pos);
  const std::string whole = ReadDigitRun(text, &pos);
  bool hasSeparator = false;
  std::string fraction;
  if (pos < text.size() && text[pos] == decimalSeparator) {
    hasSeparator = true;
    ++pos;
    fraction = ReadDigitRun(text, &pos);
  }
  if (whole.empty() && !hasSeparator) return false;
  bool negativeExponent = false;
  std::string exponent;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    negativeExponent = ReadSign(text, &pos);
    exponent = ReadDigitRun(text, &pos);
  }
  SkipSpaces(text, &pos);
  if (pos != text.size()) return false;
  // The checked parts are handed to the locale-independent converter in its own syntax.
  const std::string normal = std::string(negative ? "-" : "") + (whole.empty() ? "0" : whole) +
                             "." + (fraction.empty() ? "0" : fraction) + "e" +
                             (negativeExponent ? "-" : "") + (exponent.empty() ? "0" : exponent);
  double result;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), result);
  if (error == std::errc::result_out_of_range && IsBelowSmallestDouble(whole + fraction, whole.size(),
                                                                       negativeExponent, exponent)) {
    // Too small to tell from zero is zero, not a value that does not convert.
    *value = negative ? -0.0 : 0.0;
    return true;
  }
  if (error != std::errc() || end != normal.data() + normal.size() || !std::isfinite(result))
    return false;
  *value = result;
  return true;
}

// ---- TCustomIniFile

const TClassInfo& TCustomIniFile::StaticClass() {
  static const TClassInfo info("TCustomIniFile", &TObject::StaticClass(), {});
  return info;
}

std::int32_t TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                         std::int32_t defaultValue) {
  std::int32_t value;
  return IniStrToInt(ReadString(section, ident, ""), &value) ? value : defaultValue;
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident,
                                  std::int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident,
                              bool defaultValue) {
  return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

int TCustomIniFile::ReadBinaryStream(const std::string& section, const std::string& ident,
                                     std::vector<std::uint8_t>& value) {
  if (!ParseHexBytes(ReadString(section, ident, ""), &value)) value.clear();
  return static_cast<int>(value.size());
}

TDateTime TCustomIniFile::ReadDate(const std::string& section, const std::string& ident,
                                   TDateTime defaultValue) {
  const std::string text = ReadString(section, ident, "");
  std::size_t pos = 0;
  TDateTime date;
  return ParseDate(text, &pos, &date) && pos == text.size() ? date : defaultValue;
}

TDateTime TCustomIniFile::ReadDateTime(const std::string& section, const std::string& ident,
                                       TDateTime defaultValue) {
  const std::string text = ReadString(section, ident, "");
  std::size_t pos = 0;
  TDateTime date, time = 0;
  if (!ParseDate(text, &pos, &date)) return defaultValue;
  if (pos < text.size() && (text[pos++] != ' ' || !ParseTime(text, &pos, &time)))
    return defaultValue;
  if (pos != text.size()) return defaultValue;
  // Before the epoch the day counts down while the time of day still counts up.
  return date < 0 ? date - time : date + time;
}

double TCustomIniFile::ReadFloat(const std::string& section, const std::string& ident,
                                 double defaultValue) {
  double value;
  return IniStrToFloat(ReadString(section, ident, ""), DecimalSeparator(), &value) ? value
                                                                                   : defaultValue;
}

TDateTime TCustomIniFile::ReadTime(const std::string& section, const std::string& ident,
                                   TDateTime defaultValue) {
  const std::string text = ReadString(section, ident, "");
  std::size_t pos = 0;
  TDateTime time;
  return ParseTime(text, &pos, &time) && pos == text.size() ? time : defaultValue;
}

void TCustomIniFile::WriteBinaryStream(const std::string& section, const std::string& ident,
                                       const std::vector<std::uint8_t>& value) {
  WriteString(section, ident, HexText(value));
}

void TCustomIniFile::WriteDate(const std::string& section, const std::string& ident,
                               TDateTime value) {
  WriteString(section, ident, DateText(value));
}

void TCustomIniFile::WriteDateTime(const std::string& section, const std::string& ident,
                                   TDateTime value) {
  WriteString(section, ident, DateText(value) + " " + TimeText(value));
}

void TCustomIniFile::WriteFloat(const std::string& section, const std::string& ident,
                                double value) {
  // Format's %g writes fifteen significant digits with the user's decimal separator, the
  // form that ReadFloat reads back.
  WriteString(section, ident, Format("%g", {value}));
}

void TCustomIniFile::WriteTime(const std::string& section, const std::string& ident,
                               TDateTime value) {
  WriteString(section, ident, TimeText(value));
}

// ---- TMemIniFile

const TClassInfo& TMemIniFile::StaticClass() {
  static const TClassInfo info("TMemIniFile", &TCustomIniFile::StaticClass(), {});
  return info;
}

TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
  if (!fileName.empty() && FileExists(fileName)) LoadFromText(ReadFileBytes(fileName));
}

void TMemIniFile::LoadFromText(const std::string& bytes) {
  sections_.clear();
  sectionIndex_.Valid = false;
  // A zero byte ends the text: whatever follows it is not read.
  const std::string text = bytes.substr(0, bytes.find('\0'));
  ForEachLine(text, [this](const std::string& rawLine) {
    const std::string line = Trim(rawLine);
    if (line.empty() || line.front() == kComment) return;
    if (IsSectionHeader(line)) {
      sections_.push_back(TSection{Trim(line.substr(1, line.size() - 2)), {}, {}});
      return;
    }
    // Lines in front of the first header belong to no section.
    if (sections_.empty()) return;
    const std::size_t eq = line.find(kDelimiter);
    sections_.back().Lines.push_back(eq == std::string::npos
                                         ? line
                                         : Trim(line.substr(0, eq)) + kDelimiter +
                                               Trim(line.substr(eq + 1)));
  });
  // A file of many short sections would otherwise keep up to half its table unused.
  sections_.shrink_to_fit();
}

std::optional<std::size_t> TMemIniFile::SectionPosition(const std::string& name) {
  return LookUp(
      sectionIndex_, sections_.size(),
      [this](std::size_t i) { return std::optional<std::string>(sections_[i].Name); }, name);
}

std::optional<std::size_t> TMemIniFile::KeyLinePosition(TSection& section,
                                                        const std::string& ident) {
  return LookUp(
      section.Keys, section.Lines.size(),
      [&section](std::size_t i) { return KeyName(section.Lines[i]); }, ident);
}

TMemIniFile::TSection* TMemIniFile::FindSection(const std::string& name) {
  const std::optional<std::size_t> pos = SectionPosition(name);
  return pos ? &sections_[*pos] : nullptr;
}

TMemIniFile::TSection& TMemIniFile::FindOrAddSection(const std::string& name) {
  if (TSection* section = FindSection(name)) return *section;
  sections_.push_back(TSection{name, {}, {}});
  sectionIndex_.Valid = false;
  return sections_.back();
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident,
                                    const std::string& defaultValue) {
  TSection* found = FindSection(section);
  if (!found) return defaultValue;
  const std::optional<std::size_t> pos = KeyLinePosition(*found, ident);
  if (!pos) return defaultValue;
  const std::string& line = found->Lines[*pos];
  return line.substr(line.find(kDelimiter) + 1);
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident,
                              const std::string& value) {
  TSection& target = FindOrAddSection(section);
  std::string line = ident + kDelimiter + value;
  if (const std::optional<std::size_t> pos = KeyLinePosition(target, ident)) {
    // The replaced line keeps its name, so the index stays valid.
    target.Lines[*pos] = std::move(line);
    return;
  }
  target.Lines.push_back(std::move(line));
  target.Keys.Valid = false;
}

void TMemIniFile::ReadSection(const std::string& section, TStrings& strings) {
  std::vector<std::string> names;
  if (const TSection* found = FindSection(section))
    for (const std::string& line : found->Lines) names.push_back(KeyName(line).value_or(""));
  strings.SetLines(names);
}

void TMemIniFile::ReadSections(TStrings& strings) {
  std::vector<std::string> names;
  for (const TSection& section : sections_) names.push_back(section.Name);
  strings.SetLines(names);
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings& strings) {
  const TSection* found = FindSection(section);
  strings.SetLines(found ? found->Lines : std::vector<std::string>());
}

void TMemIniFile::EraseSection(const std::string& section) {
  if (const std::optional<std::size_t> pos = SectionPosition(section)) {
    sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(*pos));
    sectionIndex_.Valid = false;
  }
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  TSection* found = FindSection(section);
  if (!found) return;
  if (const std::optional<std::size_t> pos = KeyLinePosition(*found, ident)) {
    found->Lines.erase(found->Lines.begin() + static_cast<std::ptrdiff_t>(*pos));
    found->Keys.Valid = false;
  }
}

std::string TMemIniFile::ToText() const {
  std::string text;
  for (const TSection& section : sections_) {
    text += "[" + section.Name + "]" + kLineBreak;
    for (const std::string& line : section.Lines) text += line + kLineBreak;
    text += kLineBreak;
  }
  return text;
}

void TMemIniFile::UpdateFile() {
  WriteFileBytes(FileName, ToText());
}
