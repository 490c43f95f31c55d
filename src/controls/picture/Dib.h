#pragma once
// What the readers of Windows device-independent bitmaps share: BMP files and the bitmap
// images inside icons and cursors store their palette and rows the same way.

#include <array>
#include <cstdint>

#include <QRgb>

#include "controls/picture/Decoders.h"

namespace vtg::controls {

using DibPalette = std::array<QRgb, 256>;

constexpr bool dibDepthSupported(std::uint32_t bitsPerPixel) {
  return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24 ||
         bitsPerPixel == 32;
}

// Bytes per stored row: whole pixels, padded to four bytes.
constexpr std::uint64_t dibStride(std::uint64_t width, std::uint32_t bitsPerPixel) {
  return ((width * bitsPerPixel + 31) / 32) * 4;
}

// Reads the palette of a 1-, 4- or 8-bit bitmap starting at `at` (blue, green, red,
// reserved per colour; `coloursUsed` 0 means as many as the depth holds) and moves `at`
// past it. False when it lists more colours than the depth holds or does not fit in `b`.
// Deeper bitmaps have none: nothing is read.
inline bool readDibPalette(PictureBytes b, std::uint64_t& at, std::uint32_t bitsPerPixel,
                           std::uint32_t coloursUsed, DibPalette& palette) {
  if (bitsPerPixel > 8) return true;
  const std::uint32_t capacity = 1u << bitsPerPixel;
  const std::uint32_t count = coloursUsed == 0 ? capacity : coloursUsed;
  if (count > capacity || at + 4ull * count > b.size()) return false;
  for (std::uint32_t i = 0; i < count; ++i, at += 4) palette[i] = qRgb(b[at + 2], b[at + 1], b[at]);
  return true;
}

// The colour of pixel `x` of a stored row, opaque; a 32-bit pixel's fourth byte is left out.
inline QRgb dibPixel(const std::uint8_t* row, int x, std::uint32_t bitsPerPixel, const DibPalette& palette) {
  if (bitsPerPixel >= 24) {
    const std::uint8_t* px = row + x * int(bitsPerPixel / 8);  // blue, green, red[, fourth]
    return qRgb(px[2], px[1], px[0]);
  }
  // The leftmost pixel sits in the highest bits of its byte.
  const int bit = x * int(bitsPerPixel);
  const int shift = 8 - int(bitsPerPixel) - bit % 8;
  return palette[(row[bit / 8] >> shift) & ((1 << bitsPerPixel) - 1)];
}

}  // namespace vtg::controls
