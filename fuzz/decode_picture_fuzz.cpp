// decodePicture on arbitrary bytes, then drawPicture of whatever it gives into a small
// image, again after keeping only its top-left part: no crash, no leak, no read outside the
// buffer, whatever the file claims.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "controls/picture/Picture.h"

namespace {

// A GIF and an icon decoded once at start, so that Qt loads its image plugins (and keeps
// their caches for good) before the leak checker starts counting.
const std::uint8_t kWarmUpGif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                   0, 0, 0, 255, 255, 255, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0,
                                   0, 2, 2, 0x44, 0x01, 0, 0x3B};
const std::uint8_t kWarmUpIcon[] = {0, 0, 1, 0, 1, 0};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's readers warn about every malformed file; the fuzzer's log needs none of it.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "decode_picture_fuzz";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives as long as the process
  vtg::controls::decodePicture(kWarmUpGif);
  vtg::controls::decodePicture(kWarmUpIcon);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto picture = vtg::controls::decodePicture({data, size});
  if (!picture) return 0;
  if (picture->width() <= 0 || picture->height() <= 0) __builtin_trap();
  QImage target(40, 30, QImage::Format_RGB32);
  target.fill(Qt::white);
  QPainter painter(&target);
  vtg::controls::drawPicture(*picture, painter, 0, 0, -1, -1);   // natural size, clipped
  vtg::controls::drawPicture(*picture, painter, 5, 3, 27, 19);   // stretched
  // Then kept to a top-left part, as a picture box does (an animated GIF keeps all of itself).
  const int width = picture->width(), height = picture->height();
  const int keptWidth = 1 + int(size % 13), keptHeight = 1 + int(size % 7);
  picture->keepTopLeft(keptWidth, keptHeight);
  const bool whole = picture->width() == width && picture->height() == height;
  const bool kept = picture->width() == std::min(width, keptWidth) && picture->height() == std::min(height, keptHeight);
  if (picture->format() == vtg::controls::PictureFormat::Gif ? !whole && !kept : !kept) __builtin_trap();
  vtg::controls::drawPicture(*picture, painter, 0, 0, -1, -1);
  return 0;
}
