#pragma once
#include "Canvas.h"
namespace picgen {
inline QImage roughPicture(int w, int h, QColor bg, QColor fg, const QString& text) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(bg);
  QPainter p(&image);
  p.setFont(monoFont(16, true, false));
  p.setPen(fg);
  p.drawText(QRect(10, 10, w - 20, h - 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return image;
}
}  // namespace picgen
