// The one place where the program's UTF-8 text meets the UTF-16 of the wide Win32 calls.
// Internal to the toolkit's Windows sources.
#pragma once

#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string WideToUtf8(const wchar_t* text, int length);
