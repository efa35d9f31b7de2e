// The locale half of SysUtils for the native (non-Windows) build of the text code: case
// mapping of UTF-8 text for ASCII, Latin-1 and Cyrillic letters, the full stop as decimal
// separator, and system errors through the C library.
#include <cerrno>
#include <cstring>

#include "Consts.h"
#include "SysUtils.h"

namespace {

enum class Case { Upper, Lower };

// Maps one code point of the ranges that the program's languages use; others stay as they are.
std::uint32_t MapLetter(std::uint32_t c, Case to) {
  const bool upper = to == Case::Upper;
  if (c >= 'a' && c <= 'z') return upper ? c - 32 : c;
  if (c >= 'A' && c <= 'Z') return upper ? c : c + 32;
  // Latin-1: U+00E0-U+00FE and U+00C0-U+00DE, apart from the signs of division and times.
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return upper ? c - 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return upper ? c : c + 32;
  // Cyrillic: U+0430-U+044F and U+0410-U+042F, U+0450-U+045F and U+0400-U+040F.
  if (c >= 0x430 && c <= 0x44F) return upper ? c - 32 : c;
  if (c >= 0x410 && c <= 0x42F) return upper ? c : c + 32;
  if (c >= 0x450 && c <= 0x45F) return upper ? c - 80 : c;
  if (c >= 0x400 && c <= 0x40F) return upper ? c : c + 80;
  return c;
}

// Every mapped letter lies in the one- or two-byte range of UTF-8, so only those sequences
// are decoded; longer ones and stray bytes are copied unchanged.
std::string MapCase(const std::string& s, Case to) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = Utf8CharLength(s, i);
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    if (length == 1 && lead < 0x80) {
      out += static_cast<char>(MapLetter(lead, to));
    } else if (length == 2) {
      const std::uint32_t c = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
      const std::uint32_t mapped = MapLetter(c, to);
      out += static_cast<char>(0xC0 | mapped >> 6);
      out += static_cast<char>(0x80 | (mapped & 0x3F));
    } else {
      out.append(s, i, length);
    }
    i += length;
  }
  return out;
}

int Sign(int n) {
  return (n > 0) - (n < 0);
}

}  // namespace

std::string AnsiUpperCase(const std::string& s) {
  return MapCase(s, Case::Upper);
}
std::string AnsiLowerCase(const std::string& s) {
  return MapCase(s, Case::Lower);
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  return Sign(AnsiUpperCase(a).compare(AnsiUpperCase(b)));
}

int AnsiCompareStr(const std::string& a, const std::string& b) {
  return Sign(a.compare(b));
}

char DecimalSeparator() {
  return '.';
}

std::string SysErrorMessage(std::uint32_t code) {
  return std::strerror(static_cast<int>(code));
}

void RaiseOSError(std::uint32_t code) {
  if (code == 0) throw EOSError(LoadResString(&SUnkOSError), 0);
  throw EOSError(LoadResFmt(&SOSError, {code, SysErrorMessage(code)}), code);
}

void RaiseLastOSError() {
  RaiseOSError(static_cast<std::uint32_t>(errno));
}
