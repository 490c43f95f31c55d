// PCX by a small decoder of our own: 8 bits per pixel with the 256-colour palette at the
// end of the file, or 1 bit per pixel in black and white, one plane, run-length encoded.
// A run byte 0xC0 | n repeats the byte after it n times; any other byte stands for itself.
// Runs may cross line ends, so the whole picture is decoded as one stream. Data that ends
// early leaves the rest of the picture black.

#include <cstring>
#include <vector>

#include "controls/picture/Decoders.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 768;  // 0x0C, then 256 x red, green, blue
// Two stored bytes give at most 63 decoded ones, so a picture far larger than its data
// cannot come from it; checked before the buffer is allocated.
constexpr std::uint64_t kMaxExpansion = 32;

}  // namespace

std::unique_ptr<DecodedPicture> decodePcx(PictureBytes bytes, PictureFormat format) {
  const bool eightBit = format == PictureFormat::Pcx8;
  if (bytes.size() < kHeaderSize + (eightBit ? kPaletteSize : 0)) return nullptr;
  const std::uint32_t planes = bytes[65];
  if (planes != 1) return nullptr;
  const std::int64_t width = std::int64_t(u16At(bytes, 8)) - u16At(bytes, 4) + 1;
  const std::int64_t height = std::int64_t(u16At(bytes, 10)) - u16At(bytes, 6) + 1;
  const std::uint64_t bytesPerLine = u16At(bytes, 66);
  if (!pictureSizeAllowed(width, height)) return nullptr;
  if (bytesPerLine * 8 < std::uint64_t(width) * (eightBit ? 8 : 1)) return nullptr;

  const std::size_t dataEnd = bytes.size() - (eightBit ? kPaletteSize : 0);
  if (eightBit && bytes[dataEnd] != 0x0C) return nullptr;
  const std::uint64_t total = bytesPerLine * std::uint64_t(height);
  if (total > kMaxExpansion * (dataEnd - kHeaderSize)) return nullptr;

  std::vector<std::uint8_t> plane(total, 0);
  std::size_t in = kHeaderSize;
  std::uint64_t out = 0;
  while (out < total && in < dataEnd) {
    std::uint8_t value = bytes[in++];
    std::uint64_t run = 1;
    if ((value & 0xC0) == 0xC0) {
      if (in >= dataEnd) break;
      run = value & 0x3F;
      value = bytes[in++];
    }
    for (; run > 0 && out < total; --run) plane[out++] = value;
  }

  QImage image(int(width), int(height), eightBit ? QImage::Format_Indexed8 : QImage::Format_Mono);
  if (image.isNull()) return nullptr;
  if (eightBit) {
    QList<QRgb> colours(256);
    const std::uint8_t* p = bytes.data() + dataEnd + 1;
    for (int i = 0; i < 256; ++i) colours[i] = qRgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    image.setColorTable(colours);
  } else {
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  }
  const std::size_t rowBytes = eightBit ? std::size_t(width) : std::size_t(width + 7) / 8;
  for (int y = 0; y < height; ++y)
    std::memcpy(image.scanLine(y), plane.data() + std::uint64_t(y) * bytesPerLine, rowBytes);
  return std::make_unique<RasterPicture>(format, std::move(image));
}

}  // namespace vtg::controls
