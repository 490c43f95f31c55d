// Icons and cursors. The file may hold several images; the directory is read here to
// choose one as the platform would for a 32-pixel icon, and only that image is decoded:
// by our own reader (IconImage.cpp), or, for a form it does not read, by Qt's .ico reader,
// which is a plug-in that Qt finds and loads on first use.

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "controls/picture/Decoders.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;  // width, height, colour count, reserved, ...

}  // namespace

int chooseIconEntry(PictureBytes bytes) {
  if (bytes.size() < kDirectoryHeaderSize) return -1;
  const std::size_t count = bytes[4] | std::size_t(bytes[5]) << 8;
  if (count == 0 || kDirectoryHeaderSize + count * kEntrySize > bytes.size()) return -1;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = bytes.data() + kDirectoryHeaderSize + i * kEntrySize;
    const int width = entry[0];
    const int colours = entry[2];
    if (width == 32 && colours >= 16 && colours <= 255) return int(i);
  }
  return int(count - 1);
}

std::unique_ptr<DecodedPicture> decodeIconFile(PictureBytes bytes, PictureFormat format) {
  const int entry = chooseIconEntry(bytes);
  if (entry < 0) return nullptr;
  if (QImage image = decodeIconImage(bytes, entry); !image.isNull())
    return std::make_unique<RasterPicture>(format, std::move(image));
  // Qt reads from a device; the buffer wraps the bytes without copying them.
  const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  qsizetype(bytes.size()));
  QBuffer device;
  device.setData(file);
  if (!device.open(QIODevice::ReadOnly)) return nullptr;
  QImageReader reader(&device, format == PictureFormat::Cursor ? "cur" : "ico");
  reader.setAutoTransform(false);
  if (entry > 0 && !reader.jumpToImage(entry)) return nullptr;
  QImage image = reader.read();
  if (image.isNull() || !pictureSizeAllowed(image.width(), image.height())) return nullptr;
  return std::make_unique<RasterPicture>(format, std::move(image));
}

}  // namespace vtg::controls
