// The system-independent half of SysUtils: formatting, exceptions, ASCII text and paths.
#include "SysUtils.h"

#include <cstdio>

#include "Consts.h"

namespace {

struct Directive {
  bool leftAlign = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void InvalidFormat(const std::string& format) {
  throw EConvertError(LoadResFmt(&SInvalidFormat, {format}));
}

// Reads digits or "*" (taken from the arguments) at position i.
int ReadNumber(const std::string& f, std::size_t& i, const std::vector<TVarRec>& args,
               std::size_t& argIndex) {
  if (i < f.size() && f[i] == '*') {
    ++i;
    if (argIndex >= args.size()) InvalidFormat(f);
    const auto* n = std::get_if<std::int64_t>(&args[argIndex++].Value());
    if (!n) InvalidFormat(f);
    return static_cast<int>(*n);
  }
  int value = -1;
  while (i < f.size() && f[i] >= '0' && f[i] <= '9') {
    value = (value < 0 ? 0 : value * 10) + (f[i] - '0');
    ++i;
  }
  return value;
}

std::string Pad(std::string text, const Directive& d) {
  if (d.width > 0 && static_cast<int>(text.size()) < d.width) {
    std::string fill(d.width - text.size(), ' ');
    text = d.leftAlign ? text + fill : fill + text;
  }
  return text;
}

std::string FormatInteger(std::int64_t v, const Directive& d) {
  char buffer[64];
  switch (d.type) {
    case 'd':
      std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(v));
      break;
    case 'u':
      std::snprintf(buffer, sizeof buffer, "%llu",
                    static_cast<unsigned long long>(static_cast<std::uint32_t>(v)));
      break;
    default:  // 'x'
      std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(v));
      break;
  }
  std::string digits = buffer;
  bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  if (d.precision > static_cast<int>(digits.size()))
    digits.insert(0, d.precision - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

std::string FormatFloat(double v, const Directive& d) {
  char directive[8] = {'%', '.', '*', 0, 0};
  int precision = d.precision;
  switch (d.type) {
    case 'e': directive[3] = 'E'; if (precision < 0) precision = 15; break;
    case 'g': directive[3] = 'G'; if (precision < 0) precision = 15; break;
    case 'n':
    case 'm':
    case 'f': directive[3] = 'f'; if (precision < 0) precision = 2; break;
  }
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, directive, precision, v);
  std::string text = buffer;
  for (char& c : text)
    if (c == '.') c = DecimalSeparator();
  return text;
}

std::string FormatOne(const std::string& f, const Directive& d, const TVarRec& arg) {
  const auto& value = arg.Value();
  switch (d.type) {
    case 'd':
    case 'u':
    case 'x':
      if (const auto* n = std::get_if<std::int64_t>(&value)) return FormatInteger(*n, d);
      break;
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm':
      if (const auto* x = std::get_if<double>(&value)) return FormatFloat(*x, d);
      if (const auto* n = std::get_if<std::int64_t>(&value))
        return FormatFloat(static_cast<double>(*n), d);
      break;
    case 's':
      if (const auto* s = std::get_if<std::string>(&value))
        return d.precision >= 0 ? s->substr(0, d.precision) : *s;
      break;
  }
  InvalidFormat(f);
}

}  // namespace

std::string Format(const std::string& format, std::initializer_list<TVarRec> args) {
  return Format(format, std::vector<TVarRec>(args));
}

std::string Format(const std::string& f, const std::vector<TVarRec>& args) {
  std::string out;
  std::size_t argIndex = 0;
  for (std::size_t i = 0; i < f.size();) {
    if (f[i] != '%') {
      out += f[i++];
      continue;
    }
    ++i;
    if (i < f.size() && f[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // An explicit argument index, "%1:s".
    std::size_t start = i;
    int index = ReadNumber(f, i, args, argIndex);
    if (i < f.size() && f[i] == ':' && index >= 0) {
      argIndex = index;
      ++i;
    } else {
      i = start;
    }
    Directive d;
    if (i < f.size() && f[i] == '-') {
      d.leftAlign = true;
      ++i;
    }
    d.width = ReadNumber(f, i, args, argIndex);
    if (i < f.size() && f[i] == '.') {
      ++i;
      d.precision = ReadNumber(f, i, args, argIndex);
      if (d.precision < 0) d.precision = 0;
    }
    if (i >= f.size()) InvalidFormat(f);
    d.type = static_cast<char>(f[i] | 0x20);
    ++i;
    if (argIndex >= args.size()) InvalidFormat(f);
    out += Pad(FormatOne(f, d, args[argIndex++]), d);
  }
  return out;
}

Exception Exception::CreateRes(const TResStringRec* rec) { return Exception(LoadResString(rec)); }

std::string LoadResFmt(const TResStringRec* rec, std::initializer_list<TVarRec> args) {
  return Format(LoadResString(rec), args);
}

std::string UpperCase(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return r;
}

bool SameText(const std::string& a, const std::string& b) { return UpperCase(a) == UpperCase(b); }

bool AnsiSameText(const std::string& a, const std::string& b) { return AnsiCompareText(a, b) == 0; }

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string Trim(const std::string& s) {
  std::size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= 32) --last;
  return s.substr(first, last - first);
}

std::size_t Utf8CharLength(const std::string& s, std::size_t i) {
  unsigned char lead = static_cast<unsigned char>(s[i]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (i + length > s.size()) return 1;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 1;
  return length;
}

namespace {
bool IsPathDelimiter(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

std::string ExtractFileName(const std::string& path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1])) --i;
  return path.substr(i);
}

std::string ExtractFilePath(const std::string& path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathDelimiter(path[i - 1])) --i;
  return path.substr(0, i);
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  std::string r = path;
  if (!r.empty() && (r.back() == '\\' || r.back() == '/')) r.pop_back();
  return r;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  if (!path.empty() && (path.back() == '\\' || path.back() == '/')) return path;
  return path + '\\';
}
