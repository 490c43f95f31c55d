// One image of an .ico or .cur file, read by our own code: the entry's bitmap (a
// BITMAPINFOHEADER, a palette for 1, 4 or 8 bits per pixel, the colour rows, then the
// one-bit transparency mask, all of twice the image's height in the header), or a PNG,
// which Qt's built-in PNG reader takes. Only what the entry's own size says belongs to it
// is read, and every row is checked against that.

#include <algorithm>

#include <QImage>

#include "controls/picture/Decoders.h"
#include "controls/picture/Dib.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

QImage fromBitmap(PictureBytes dib) {
  if (dib.size() < kInfoHeaderSize) return {};
  const std::uint32_t headerSize = u32At(dib, 0);
  if (headerSize < kInfoHeaderSize || headerSize > dib.size()) return {};
  const auto width = std::int64_t(std::int32_t(u32At(dib, 4)));
  const auto doubledHeight = std::int64_t(std::int32_t(u32At(dib, 8)));
  const std::uint32_t bitsPerPixel = u16At(dib, 14);
  const std::uint32_t compression = u32At(dib, 16);
  const std::uint32_t coloursUsed = u32At(dib, 32);
  if (compression != kBiRgb || doubledHeight <= 0 || doubledHeight % 2 != 0) return {};
  if (!dibDepthSupported(bitsPerPixel)) return {};
  const std::int64_t height = doubledHeight / 2;
  if (!pictureSizeAllowed(width, height)) return {};

  DibPalette palette{};
  std::uint64_t at = headerSize;
  if (!readDibPalette(dib, at, bitsPerPixel, coloursUsed, palette)) return {};
  const std::uint64_t colourStride = dibStride(std::uint64_t(width), bitsPerPixel);
  const std::uint64_t maskStride = dibStride(std::uint64_t(width), 1);
  const std::uint64_t colourAt = at;
  const std::uint64_t maskAt = colourAt + colourStride * std::uint64_t(height);
  // The mask may be missing from 32-bit images, which carry their own alpha.
  const bool hasMask = maskAt + maskStride * std::uint64_t(height) <= dib.size();
  if (maskAt > dib.size() || (!hasMask && bitsPerPixel != 32)) return {};

  QImage image(int(width), int(height), QImage::Format_ARGB32);
  if (image.isNull()) return {};
  bool anyAlpha = false;
  for (int y = 0; y < height; ++y) {
    const std::uint64_t storedRow = std::uint64_t(height - 1 - y);  // rows are stored bottom-up
    const std::uint8_t* in = dib.data() + colourAt + colourStride * storedRow;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      out[x] = dibPixel(in, x, bitsPerPixel, palette);
      if (bitsPerPixel == 32) {
        const std::uint8_t alpha = in[4 * x + 3];
        out[x] = qRgba(qRed(out[x]), qGreen(out[x]), qBlue(out[x]), alpha);
        anyAlpha = anyAlpha || alpha != 0;
      }
    }
  }
  // Where the colours carry no alpha of their own, the mask says which pixels are clear.
  if (!(bitsPerPixel == 32 && anyAlpha) && hasMask) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t* mask = dib.data() + maskAt + maskStride * std::uint64_t(height - 1 - y);
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x)
        out[x] = (mask[x / 8] >> (7 - x % 8)) & 1 ? 0 : (out[x] | 0xFF000000u);
    }
  } else if (!anyAlpha) {
    for (int y = 0; y < height; ++y) {
      auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width; ++x) out[x] |= 0xFF000000u;
    }
  }
  return image;
}

}  // namespace

int iconEntryCount(PictureBytes file) {
  if (file.size() < kDirectoryHeaderSize) return 0;
  const std::size_t count = u16At(file, 4);
  if (kDirectoryHeaderSize + count * kEntrySize > file.size()) return 0;
  return int(count);
}

QImage decodeIconImage(PictureBytes file, int entry) {
  if (entry < 0 || entry >= iconEntryCount(file)) return {};
  const std::size_t at = kDirectoryHeaderSize + std::size_t(entry) * kEntrySize;
  const std::uint64_t size = u32At(file, at + 8);
  const std::uint64_t offset = u32At(file, at + 12);
  if (offset >= file.size()) return {};
  const PictureBytes image = file.subspan(offset, std::min<std::uint64_t>(size, file.size() - offset));
  if (image.size() >= sizeof kPngSignature && std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin())) {
    QImage png;
    png.loadFromData(image.data(), qsizetype(image.size()), "PNG");
    if (png.isNull() || !pictureSizeAllowed(png.width(), png.height())) return {};
    return png;
  }
  return fromBitmap(image);
}

}  // namespace vtg::controls
