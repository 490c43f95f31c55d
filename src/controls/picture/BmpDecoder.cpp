// Windows bitmaps (BI_RGB only, 1, 4, 8, 24 or 32 bits per pixel) by a reader of our own.
// Every offset and size comes from the file, so each is checked against the buffer
// before it is used, and the pixel rows must lie wholly inside it; the rows then bound
// what is allocated.

#include "controls/picture/Decoders.h"
#include "controls/picture/Dib.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; larger ones extend it
constexpr std::uint32_t kBiRgb = 0;

}  // namespace

std::unique_ptr<DecodedPicture> decodeBmp(PictureBytes bytes) {
  const std::size_t size = bytes.size();
  if (size < kFileHeaderSize + kInfoHeaderSize) return nullptr;
  const std::uint64_t pixelOffset = u32At(bytes, 10);
  const std::uint64_t headerSize = u32At(bytes, 14);
  if (headerSize < kInfoHeaderSize || kFileHeaderSize + headerSize > size) return nullptr;

  const auto width = static_cast<std::int32_t>(u32At(bytes, 18));
  const auto storedHeight = static_cast<std::int32_t>(u32At(bytes, 22));
  const std::uint32_t bitsPerPixel = u16At(bytes, 28);
  const std::uint32_t compression = u32At(bytes, 30);
  const std::uint32_t coloursUsed = u32At(bytes, 46);
  if (compression != kBiRgb) return nullptr;
  if (!dibDepthSupported(bitsPerPixel)) return nullptr;
  // A negative height means the rows are stored top-down.
  const bool topDown = storedHeight < 0;
  const std::int64_t height = topDown ? -std::int64_t(storedHeight) : storedHeight;
  if (!pictureSizeAllowed(width, height)) return nullptr;

  DibPalette palette{};
  std::uint64_t paletteAt = kFileHeaderSize + headerSize;
  if (!readDibPalette(bytes, paletteAt, bitsPerPixel, coloursUsed, palette)) return nullptr;

  const std::uint64_t stride = dibStride(std::uint64_t(width), bitsPerPixel);
  if (pixelOffset > size || stride * std::uint64_t(height) > size - pixelOffset) return nullptr;

  QImage image(width, int(height), QImage::Format_RGB888);
  if (image.isNull()) return nullptr;
  for (int y = 0; y < height; ++y) {
    const std::int64_t storedRow = topDown ? y : height - 1 - y;
    const std::uint8_t* in = bytes.data() + pixelOffset + stride * std::uint64_t(storedRow);
    std::uint8_t* out = image.scanLine(y);
    for (int x = 0; x < width; ++x, out += 3) {
      const QRgb c = dibPixel(in, x, bitsPerPixel, palette);
      out[0] = std::uint8_t(qRed(c));
      out[1] = std::uint8_t(qGreen(c));
      out[2] = std::uint8_t(qBlue(c));
    }
  }
  return std::make_unique<RasterPicture>(PictureFormat::Bmp, std::move(image));
}

}  // namespace vtg::controls
