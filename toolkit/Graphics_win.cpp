// Colours and fonts over GDI.
#include <windows.h>

#include "Graphics.h"
#include "WinText.h"

const TEnumInfo FontStyleType{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

std::uint32_t ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<std::uint32_t>(color) & 0xFFFFFF;
}

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TFont>("TFont", TPersistent::StaticClass())
          .Integer("Charset", &TFont::Charset, &TFont::SetCharset, 0, 255)
          .Integer("Color", &TFont::Color, &TFont::SetColor)
          .Integer("Height", &TFont::Height, &TFont::SetHeight)
          .String("Name", &TFont::Name, &TFont::SetName)
          .Integer("Size", &TFont::Size, &TFont::SetSize)
          .Set("Style", FontStyleType, &TFont::Style, &TFont::SetStyle);
  return info;
}

TFont::TFont() = default;

TFont::~TFont() { ReleaseHandle(); }

namespace {
int ScreenDpi() {
  HDC dc = GetDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}
}  // namespace

void TFont::SetName(const std::string& value) {
  if (value == name_) return;
  name_ = value;
  Changed();
}

void TFont::SetHeight(int value) {
  if (value == height_) return;
  height_ = value;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenDpi()); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, ScreenDpi(), 72)); }

void TFont::SetStyle(TFontStyles value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TFont::SetCharset(int value) {
  if (value == charset_) return;
  charset_ = value;
  Changed();
}

void TFont::Assign(TPersistent* source) {
  auto* other = ObjectAs<TFont>(source);
  if (!other) return TPersistent::Assign(source);
  if (name_ == other->name_ && height_ == other->height_ && style_ == other->style_ &&
      color_ == other->color_ && charset_ == other->charset_)
    return;
  name_ = other->name_;
  height_ = other->height_;
  style_ = other->style_;
  color_ = other->color_;
  charset_ = other->charset_;
  Changed();
}

void TFont::Changed() {
  ReleaseHandle();
  if (OnChange) OnChange(this);
}

void TFont::ReleaseHandle() {
  if (handle_) DeleteObject(static_cast<HFONT>(handle_));
  handle_ = nullptr;
}

void* TFont::Handle() {
  if (handle_) return handle_;
  LOGFONTW lf = {};
  lf.lfHeight = height_;
  lf.lfWeight = (style_ & (1u << fsBold)) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (style_ & (1u << fsItalic)) != 0;
  lf.lfUnderline = (style_ & (1u << fsUnderline)) != 0;
  lf.lfStrikeOut = (style_ & (1u << fsStrikeOut)) != 0;
  lf.lfCharSet = static_cast<BYTE>(charset_);
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = Utf8ToWide(name_);
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  handle_ = CreateFontIndirectW(&lf);
  return handle_;
}

void FillWithColor(void* dc, const TRect& rect, TColor color) {
  RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(static_cast<HDC>(dc), &r, brush);
  DeleteObject(brush);
}

void DrawTextInFont(void* dc, const TRect& rect, const std::string& text, TFont* font,
                    bool enabled, unsigned format) {
  HDC hdc = static_cast<HDC>(dc);
  RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, ColorToRGB(enabled ? font->Color() : clGrayText));
  HGDIOBJ old = SelectObject(hdc, static_cast<HFONT>(font->Handle()));
  std::wstring wide = Utf8ToWide(text);
  DrawTextW(hdc, wide.c_str(), -1, &r, format);
  SelectObject(hdc, old);
}
