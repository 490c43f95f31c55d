#include "controls/ProgramIcon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

#include <vector>

#include "content/EmbeddedFiles.h"
#include "controls/picture/Decoders.h"

namespace vtg::controls {

// The images with their transparency masks, by our own reader, which needs no plug-in;
// Qt's .ico reader takes files in forms ours does not read.
QIcon iconFromIcoFile(std::span<const std::uint8_t> bytes) {
  QIcon icon;
  if (bytes.empty()) return icon;
  // Every image by our own reader when it reads them all; else all by Qt's.
  std::vector<QImage> images;
  for (int i = 0; i < iconEntryCount(bytes); ++i) {
    QImage image = decodeIconImage(bytes, i);
    if (image.isNull()) break;
    images.push_back(std::move(image));
  }
  if (!images.empty() && int(images.size()) == iconEntryCount(bytes)) {
    for (const QImage& image : images) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
  }
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  do {
    const QImage image = reader.read();
    if (image.isNull()) break;
    icon.addPixmap(QPixmap::fromImage(image));
  } while (reader.jumpToNextImage());
  return icon;
}

const QIcon& programIcon() {
  static const QIcon icon = iconFromIcoFile(content::DefaultIcon());
  return icon;
}

}  // namespace vtg::controls
