// The Windows half of SysUtils: text conversion, the user's locale, and system errors.
#include <windows.h>

#include "Consts.h"
#include "SysUtils.h"
#include "WinText.h"

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string WideToUtf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string utf8(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::string WideToUtf8(const std::wstring& text) {
  return WideToUtf8(text.data(), static_cast<int>(text.size()));
}

namespace {

std::string MapCase(const std::string& s, DWORD flag) {
  std::wstring wide = Utf8ToWide(s);
  if (wide.empty()) return s;
  int n = LCMapStringW(LOCALE_USER_DEFAULT, flag, wide.data(), static_cast<int>(wide.size()),
                       nullptr, 0);
  std::wstring mapped(n, L'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, flag, wide.data(), static_cast<int>(wide.size()),
               mapped.data(), n);
  return WideToUtf8(mapped);
}

int Compare(const std::string& a, const std::string& b, DWORD flags) {
  std::wstring wa = Utf8ToWide(a), wb = Utf8ToWide(b);
  int r = CompareStringW(LOCALE_USER_DEFAULT, flags, wa.data(), static_cast<int>(wa.size()),
                         wb.data(), static_cast<int>(wb.size()));
  return r - CSTR_EQUAL;
}

}  // namespace

// The locale's comparisons run on UTF-16: the ANSI entry points of some systems ignore
// case for Latin letters only when the code page is UTF-8.
std::string AnsiUpperCase(const std::string& s) { return MapCase(s, LCMAP_UPPERCASE); }
std::string AnsiLowerCase(const std::string& s) { return MapCase(s, LCMAP_LOWERCASE); }
int AnsiCompareText(const std::string& a, const std::string& b) {
  return Compare(a, b, NORM_IGNORECASE);
}
int AnsiCompareStr(const std::string& a, const std::string& b) { return Compare(a, b, 0); }

char DecimalSeparator() {
  wchar_t buffer[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 0 && buffer[0] < 128)
    return static_cast<char>(buffer[0]);
  return '.';
}

std::string SysErrorMessage(std::uint32_t code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = n ? Trim(WideToUtf8(text, static_cast<int>(n))) : std::string();
  if (text) LocalFree(text);
  return message;
}

void RaiseOSError(std::uint32_t code) {
  if (code == 0) throw EOSError(LoadResString(&SUnkOSError), 0);
  throw EOSError(LoadResFmt(&SOSError, {code, SysErrorMessage(code)}), code);
}

void RaiseLastOSError() { RaiseOSError(GetLastError()); }
