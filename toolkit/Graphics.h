// Colours and fonts.
#pragma once

#include <cstdint>
#include <string>

#include "Classes.h"

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// An RGB colour (0x00BBGGRR), or a system colour (0x80000000 | the system's colour index).
using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
constexpr TColor clHighlight = static_cast<TColor>(0x8000000D);
constexpr TColor clHighlightText = static_cast<TColor>(0x8000000E);
constexpr TColor clBtnShadow = static_cast<TColor>(0x80000010);
constexpr TColor clGrayText = static_cast<TColor>(0x80000011);
// The RGB value of a colour, system colours resolved.
std::uint32_t ColorToRGB(TColor color);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = std::uint32_t;  // one bit per TFontStyle
extern const TEnumInfo FontStyleType;

class TFont : public TPersistent {
  DECLARE_CLASS(TFont, TPersistent)
 public:
  TFont();
  ~TFont() override;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  // Height in pixels; negative for the character height without internal leading.
  int Height() const { return height_; }
  void SetHeight(int value);
  // Size in points at the screen's resolution.
  int Size() const;
  void SetSize(int value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int Charset() const { return charset_; }
  void SetCharset(int value);
  void Assign(TPersistent* source) override;

  // The system font object (an HFONT), made when first asked for.
  void* Handle();

  TNotifyEvent OnChange;

 private:
  void Changed();
  void ReleaseHandle();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  int charset_ = 1;  // the default character set
  void* handle_ = nullptr;
};

// Fills rect of the device context dc (an HDC) with a colour.
void FillWithColor(void* dc, const TRect& rect, TColor color);
// Draws text into rect of dc in the font and its colour (grey when disabled), on whatever
// background is already there. format holds the system's DrawText flags.
void DrawTextInFont(void* dc, const TRect& rect, const std::string& text, TFont* font,
                    bool enabled, unsigned format);
