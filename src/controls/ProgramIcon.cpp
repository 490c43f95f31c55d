#include "controls/ProgramIcon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

#include "content/EmbeddedFiles.h"

namespace vtg::controls {

// Qt's own .ico reader handles the 16-colour images with their transparency masks.
QIcon iconFromIcoFile(std::span<const std::uint8_t> bytes) {
  QIcon icon;
  if (bytes.empty()) return icon;
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
