#include "controls/picture/RasterPicture.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPaintDevice>
#include <QScreen>

namespace vtg::controls {

namespace {

int displayDepth(const QPainter& painter) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->depth();
  return painter.device() ? painter.device()->depth() : 32;
}

}  // namespace

RasterPicture::RasterPicture(PictureFormat format, QImage pixels)
    : DecodedPicture(format, pixels.width(), pixels.height()), pixels_(std::move(pixels)) {}

const QImage& RasterPicture::deviceImage() const {
  if (device_.isNull()) {
    device_ = pixels_.convertToFormat(pixels_.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32);
  }
  return device_;
}

void RasterPicture::keepTopLeft(int width, int height) {
  width = std::clamp(width, 1, pixels_.width());
  height = std::clamp(height, 1, pixels_.height());
  if (width == pixels_.width() && height == pixels_.height()) return;
  pixels_ = pixels_.copy(0, 0, width, height);
  device_ = QImage();
  setSize(width, height);
}

void RasterPicture::draw(QPainter& painter, const QRect& target) const {
  stretchImage(painter, target, deviceImage());
}

void stretchImage(QPainter& painter, const QRect& target, const QImage& image) {
  if (target.isEmpty() || image.isNull()) return;
  const bool wasSmooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, displayDepth(painter) > 16);
  painter.drawImage(target, image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, wasSmooth);
}

}  // namespace vtg::controls
