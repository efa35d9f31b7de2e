// Window capture over GDI and a minimal PNG encoder: zlib with stored deflate blocks.
#include "Screenshot.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <exception>

#include "TestFiles.h"

namespace {
const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void AppendLittleEndian16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void AppendChunk(std::string& png, const char* type, const std::string& data) {
  AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  std::string typed = std::string(type, 4) + data;
  png += typed;
  AppendBigEndian(png, Crc32(typed));
}

// A zlib stream whose deflate blocks are stored as they are, at most 65535 bytes each.
std::string StoredZlib(const std::string& raw) {
  constexpr std::size_t kMaxBlock = 65535;
  std::string out = "\x78\x01";
  std::size_t offset = 0;
  do {
    std::size_t length = std::min(kMaxBlock, raw.size() - offset);
    bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    AppendLittleEndian16(out, static_cast<std::uint16_t>(length));
    AppendLittleEndian16(out, static_cast<std::uint16_t>(~length));
    out.append(raw, offset, length);
    offset += length;
  } while (offset < raw.size());
  AppendBigEndian(out, Adler32(raw));
  return out;
}

// The screen's pixels under the rectangle as RGB rows.
bool ReadScreen(const RECT& r, int* width, int* height, std::string* rgb) {
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  if (*width <= 0 || *height <= 0) return false;

  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = *width;
  bi.bmiHeader.biHeight = -*height;  // top-down rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = bitmap != nullptr;
  if (ok) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, *width, *height, screen, r.left, r.top, SRCCOPY) != 0;
    GdiFlush();
    SelectObject(memory, old);
  }
  if (ok) {
    // DIB rows are padded to four bytes and hold blue, green, red.
    int stride = (*width * 3 + 3) & ~3;
    const auto* pixels = static_cast<const unsigned char*>(bits);
    rgb->clear();
    rgb->reserve(static_cast<std::size_t>(*width) * *height * 3);
    for (int y = 0; y < *height; ++y) {
      const unsigned char* row = pixels + static_cast<std::size_t>(y) * stride;
      for (int x = 0; x < *width; ++x) {
        const unsigned char* bgr = row + x * 3;
        rgb->push_back(static_cast<char>(bgr[2]));
        rgb->push_back(static_cast<char>(bgr[1]));
        rgb->push_back(static_cast<char>(bgr[0]));
      }
    }
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}
}  // namespace

std::uint32_t WindowPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(Rgb.data()) +
                  (static_cast<std::size_t>(y) * Width + x) * 3;
  return p[0] | (p[1] << 8) | (p[2] << 16);
}

bool CaptureWindow(void* window, WindowPixels* pixels) {
  HWND hwnd = static_cast<HWND>(window);
  RECT r;
  if (!GetWindowRect(hwnd, &r)) return false;
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  GdiFlush();
  // Wine paints into an off-screen surface and copies it to the display when the thread
  // waits for messages; a wait that returns at once is enough, and dispatches nothing.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
  return ReadScreen(r, &pixels->Width, &pixels->Height, &pixels->Rgb);
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = CrcTable()[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::string& bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : bytes) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

std::string EncodePng(int width, int height, const std::string& rgb) {
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(width));
  AppendBigEndian(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  // Every row starts with filter type 0: the bytes as they are.
  std::string raw;
  std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  raw.reserve((rowBytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    raw.push_back('\0');
    raw.append(rgb, y * rowBytes, rowBytes);
  }
  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(raw));
  AppendChunk(png, "IEND", "");
  return png;
}

bool SaveWindowScreenshot(void* hwnd, const std::string& path) {
  WindowPixels pixels;
  if (!CaptureWindow(hwnd, &pixels)) return false;
  try {
    WriteWholeFile(path, EncodePng(pixels.Width, pixels.Height, pixels.Rgb));
  } catch (const std::exception&) {
    return false;
  }
  return true;
}
