// Screenshots of windows as PNG files, so that a person can look at what a GUI test showed.
// The encoder stores the pixels uncompressed and needs no library.
#pragma once

#include <cstdint>
#include <string>

// The pixels of a window as it shows on screen: rows top down, three bytes (R, G, B) each.
struct WindowPixels {
  int Width = 0;
  int Height = 0;
  std::string Rgb;
  // The colour at x, y as a Windows COLORREF (0x00BBGGRR).
  std::uint32_t At(int x, int y) const;
};

// Repaints the window and reads it back from the screen, child windows included.
bool CaptureWindow(void* hwnd, WindowPixels* pixels);

// Captures the window as it is on screen, child windows included, and writes it as a PNG.
// False when the window cannot be captured or the file cannot be written.
bool SaveWindowScreenshot(void* hwnd, const std::string& path);

// A PNG file of an 8-bit RGB image; rgb holds the rows top down, three bytes per pixel.
std::string EncodePng(int width, int height, const std::string& rgb);

// The checksums that PNG uses: CRC-32 of each chunk, Adler-32 of the zlib stream.
std::uint32_t Crc32(const std::string& bytes);
std::uint32_t Adler32(const std::string& bytes);
