// Exceptions with messages, message formatting, text and locale helpers, and the few file
// operations that the program needs, without any Windows header.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "System.h"

// One argument of Format: an integer, a floating-point number or a text.
class TVarRec {
 public:
  TVarRec(int v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(long v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(long long v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(unsigned long long v) : value_(static_cast<std::int64_t>(v)) {}
  TVarRec(double v) : value_(v) {}
  TVarRec(const char* v) : value_(std::string(v)) {}
  TVarRec(std::string v) : value_(std::move(v)) {}

  const std::variant<std::int64_t, double, std::string>& Value() const { return value_; }

 private:
  std::variant<std::int64_t, double, std::string> value_;
};

// Formats like the RAD toolkit's Format: %d %u %x %s %f %g %e %n %m %%, with optional
// index ("%1:s"), "-" for left alignment, width and precision. A directive that does not
// fit its argument raises EConvertError.
std::string Format(const std::string& format, std::initializer_list<TVarRec> args);
std::string Format(const std::string& format, const std::vector<TVarRec>& args);

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  static Exception CreateRes(const TResStringRec* rec);

  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }
  // The exception's class name, shown by nothing but useful in test failures.
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

#define DECLARE_EXCEPTION(Name, Base)                               \
  class Name : public Base {                                        \
   public:                                                          \
    using Base::Base;                                               \
    const char* ClassName() const override { return #Name; }        \
  }

DECLARE_EXCEPTION(EConvertError, Exception);
DECLARE_EXCEPTION(EListError, Exception);
DECLARE_EXCEPTION(EStringListError, EListError);
DECLARE_EXCEPTION(ERangeError, Exception);
DECLARE_EXCEPTION(EPropertyError, Exception);
DECLARE_EXCEPTION(EPropertyConvertError, Exception);
DECLARE_EXCEPTION(EComponentError, Exception);
DECLARE_EXCEPTION(EInvalidOperation, Exception);
DECLARE_EXCEPTION(EReadError, Exception);
DECLARE_EXCEPTION(EClassNotFound, EReadError);
DECLARE_EXCEPTION(EInOutError, Exception);
DECLARE_EXCEPTION(EStreamError, Exception);
DECLARE_EXCEPTION(EFOpenError, EStreamError);
DECLARE_EXCEPTION(EFCreateError, EStreamError);
DECLARE_EXCEPTION(EIniFileException, Exception);
DECLARE_EXCEPTION(EOutOfResources, Exception);

class EOSError : public Exception {
 public:
  EOSError(std::string message, std::uint32_t code) : Exception(std::move(message)), code_(code) {}
  const char* ClassName() const override { return "EOSError"; }
  std::uint32_t ErrorCode() const { return code_; }

 private:
  std::uint32_t code_;
};

// Builds the message of a resource string with its arguments.
std::string LoadResFmt(const TResStringRec* rec, std::initializer_list<TVarRec> args);

// The error of the last failed system call: "System Error.  Code: %d.\r\n%s", or "A call to
// an OS function failed" when the system reports no error code.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(std::uint32_t code);
std::string SysErrorMessage(std::uint32_t code);

// Case mapping and comparison by the user's locale (the system's, on Windows).
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
int AnsiCompareText(const std::string& a, const std::string& b);
int AnsiCompareStr(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);
// The decimal separator of the user's number format.
char DecimalSeparator();

// Case mapping of the 26 ASCII letters only.
std::string UpperCase(const std::string& s);
bool SameText(const std::string& a, const std::string& b);

std::string IntToStr(std::int64_t value);
std::string Trim(const std::string& s);  // drops codes of 32 and below at both ends
// The length of the UTF-8 character that begins at byte index i of s (1 for a stray byte).
std::size_t Utf8CharLength(const std::string& s, std::size_t i);

// Paths.
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path);  // with its trailing separator
std::string ExcludeTrailingPathDelimiter(const std::string& path);
std::string IncludeTrailingPathDelimiter(const std::string& path);
