#include "Canvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace picgen {

bool loadFonts() {
  static const char* const kFiles[][2] = {
      {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "fonts-dejavu-core"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", "fonts-dejavu-core"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "fonts-dejavu-core"},
      {"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", "fonts-wqy-microhei"},
  };
  for (const auto& file : kFiles) {
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(file[0])) < 0) {
      std::fprintf(stderr, "picgen: cannot load %s (Debian package %s)\n", file[0], file[1]);
      return false;
    }
  }
  return true;
}

namespace {

QFont makeFont(const char* family, int pixelSize, bool bold, bool antialias, int stretch) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setStretch(stretch);
  font.setKerning(false);
  font.setHintingPreference(antialias ? QFont::PreferVerticalHinting : QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::StyleStrategy((antialias ? QFont::PreferAntialias : QFont::NoAntialias) |
                                             QFont::NoSubpixelAntialias));
  return font;
}

}  // namespace

QFont monoFont(int pixelSize, bool bold, bool antialias, int stretch) {
  return makeFont("DejaVu Sans Mono", pixelSize, bold, antialias, stretch);
}

QFont sansFont(int pixelSize, bool bold, bool antialias, int stretch) {
  return makeFont("DejaVu Sans", pixelSize, bold, antialias, stretch);
}

QFont cjkFont(int pixelSize, bool antialias) {
  return makeFont("WenQuanYi Micro Hei", pixelSize, false, antialias, 100);
}

TextGrid::TextGrid(QPainter& painter, QPointF origin, qreal cellW, qreal cellH, QFont font)
    : p_(painter), origin_(origin), cellW_(cellW), cellH_(cellH), font_(font) {
  const QFontMetricsF metrics(font_, p_.device());
  // Centre the letters' cap height and descent in the cell, as a VGA font fills its 16 rows.
  baseline_ = std::round((cellH_ + metrics.capHeight()) / 2.0 + metrics.descent() * 0.25);
}

QRectF TextGrid::cells(qreal col, qreal row, qreal cols, qreal rows) const {
  return QRectF(origin_.x() + col * cellW_, origin_.y() + row * cellH_, cols * cellW_, rows * cellH_);
}

void TextGrid::fill(qreal col, qreal row, qreal cols, qreal rows, const QColor& colour) {
  p_.fillRect(cells(col, row, cols, rows), colour);
}

void TextGrid::text(qreal col, qreal row, const QString& text, const QColor& colour) {
  p_.setFont(font_);
  p_.setPen(colour);
  const QFontMetricsF metrics(font_, p_.device());
  // One character per cell, whatever the font's own advance, as on a text screen.
  for (int i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u' ') continue;
    const QRectF cell = cells(col + i, row);
    if (c >= 0x2190 && c <= 0x2193) {
      drawArrow(cell, c, colour, metrics.capHeight());
      continue;
    }
    const qreal advance = metrics.horizontalAdvance(text[i]);
    p_.drawText(QPointF(std::round(cell.x() + (cellW_ - advance) / 2.0), cell.y() + baseline_), QString(text[i]));
  }
}

void TextGrid::drawArrow(const QRectF& cell, char16_t arrow, const QColor& colour, qreal capHeight) {
  // The arrows of a text-mode font fill their cell, where an outline font's stay small; drawn
  // here as a shaft and a head across the cell's width or the letters' height.
  const qreal stroke = std::max(1.0, std::round(cellW_ * 0.2));
  const qreal top = cell.y() + baseline_ - capHeight, bottom = cell.y() + baseline_;
  const qreal left = cell.x() + cellW_ * 0.04, right = cell.right() - cellW_ * 0.04;
  const qreal midX = cell.center().x(), midY = (top + bottom) / 2;
  const qreal head = std::min(cellW_ * 0.55, capHeight * 0.55);
  QPointF from, to;
  switch (arrow) {
    case 0x2190: from = {right, midY}; to = {left, midY}; break;   // left
    case 0x2191: from = {midX, bottom}; to = {midX, top}; break;   // up
    case 0x2192: from = {left, midY}; to = {right, midY}; break;   // right
    default: from = {midX, top}; to = {midX, bottom}; break;       // down
  }
  const QPointF dir = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF normal(-dir.y(), dir.x());
  p_.save();
  p_.setRenderHint(QPainter::Antialiasing, true);
  p_.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::FlatCap));
  p_.drawLine(from, to - dir * head * 0.8);
  QPolygonF tip;
  tip << to << to - dir * head + normal * head * 0.75 << to - dir * head - normal * head * 0.75;
  p_.setPen(Qt::NoPen);
  p_.setBrush(colour);
  p_.drawPolygon(tip);
  p_.restore();
}

void TextGrid::hline(qreal row, qreal col0, qreal col1, const QColor& colour, qreal width) {
  const QRectF a = cells(col0, row), b = cells(col1, row);
  p_.fillRect(QRectF(a.center().x(), std::round(a.center().y() - width / 2), b.center().x() - a.center().x() + width, width),
              colour);
}

void TextGrid::vline(qreal col, qreal row0, qreal row1, const QColor& colour, qreal width) {
  const QRectF a = cells(col, row0), b = cells(col, row1);
  p_.fillRect(QRectF(std::round(a.center().x() - width / 2), a.center().y(), width, b.center().y() - a.center().y() + width),
              colour);
}

void TextGrid::triangle(qreal col, qreal row, const QColor& colour) {
  const QRectF cell = cells(col, row);
  const qreal h = std::min(cellW_ * 0.9, cellH_ * 0.55);
  fillTriangleRight(p_, QRectF(cell.center().x() - h * 0.4, cell.center().y() - h / 2, h * 0.8, h), colour);
}

void fillTriangleRight(QPainter& p, const QRectF& rect, const QColor& colour) {
  QPolygonF triangle;
  triangle << rect.topLeft() << QPointF(rect.right(), rect.center().y()) << rect.bottomLeft();
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(triangle);
  p.restore();
}

void drawHandPointer(QPainter& p, QPointF tip, qreal scale) {
  // The outline of the classic pointing hand, fingertip at (0,0), in a 16 x 22 box.
  static const QPointF kOutline[] = {
      {0, 1.5},  {1, 0},     {2.5, 0},    {3.5, 1.5},  {3.5, 7},   {4.5, 6.2}, {6, 6.2},  {7, 7.2},
      {8.2, 6.6}, {9.6, 6.8}, {10.4, 7.8}, {11.6, 7.4}, {13, 7.8},  {14, 9},    {14, 14.5}, {12.6, 18.5},
      {12.6, 21}, {3.6, 21},  {3.6, 18.8}, {-1.6, 12.8}, {-2.2, 11}, {-1, 10},   {0, 10.6},  {0, 1.5}};
  QPolygonF hand;
  for (const QPointF& point : kOutline) hand << tip + point * scale;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(Qt::black, 1.2 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPolygon(hand);
  p.setPen(QPen(Qt::black, 0.8 * scale));
  for (qreal x : {6.5, 9.5, 12.0}) p.drawLine(tip + QPointF(x, 10) * scale, tip + QPointF(x, 13.2) * scale);
  p.restore();
}

void drawMarkRectangle(QPainter& p, const QRectF& rect, const QColor& colour, qreal width) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect);
  p.restore();
}

void drawHandEllipse(QPainter& p, const QRectF& rect, const QColor& colour, qreal width) {
  // A loop drawn round a long row: flatter at its ends than an ellipse (a superellipse of
  // exponent 3.5), so that it clears the row's first letters; it starts at the upper left, goes
  // round once clockwise with a gently varying radius and ends a little past its start, outside it.
  QPainterPath path;
  const QPointF c = rect.center();
  const qreal rx = rect.width() / 2, ry = rect.height() / 2;
  const int steps = 240, overshoot = 18;
  auto power = [](qreal v) { return std::copysign(std::pow(std::abs(v), 2.0 / 3.5), v); };
  for (int i = 0; i <= steps + overshoot; ++i) {
    const qreal t = -2.3 + 2 * M_PI * i / steps;
    const qreal drift = 1.0 + 0.04 * i / (steps + overshoot);
    const qreal wobbleX = 1.0 + 0.006 * std::sin(3 * t + 0.7);
    const qreal wobbleY = 1.0 + 0.06 * std::sin(2 * t + 1.3) + 0.03 * std::sin(5 * t);
    const QPointF point(c.x() + rx * wobbleX * drift * power(std::cos(t)),
                        c.y() + ry * wobbleY * drift * power(std::sin(t)));
    if (i == 0) path.moveTo(point); else path.lineTo(point);
  }
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

QImage photographScreen(const QImage& screen, QSize size, const QPolygonF& quad, const QColor& surround) {
  QImage out(size, QImage::Format_RGB32);
  out.fill(surround);
  QPainter p(&out);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.setRenderHint(QPainter::Antialiasing, true);
  QTransform transform;
  QPolygonF source;
  source << QPointF(0, 0) << QPointF(screen.width(), 0) << QPointF(screen.width(), screen.height())
         << QPointF(0, screen.height());
  QTransform::quadToQuad(source, quad, transform);
  p.setTransform(transform);
  p.drawImage(QPointF(0, 0), screen);
  return out;
}

void darkenEdges(QImage& image, qreal strength) {
  const qreal cx = image.width() / 2.0, cy = image.height() / 2.0;
  for (int y = 0; y < image.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const qreal dx = (x - cx) / cx, dy = (y - cy) / cy;
      const qreal factor = 1.0 - strength * std::min(1.0, (dx * dx + dy * dy) / 2.0);
      const QRgb c = line[x];
      line[x] = qRgb(int(qRed(c) * factor), int(qGreen(c) * factor), int(qBlue(c) * factor));
    }
  }
}

void addNoise(QImage& image, int amplitude, std::uint32_t seed) {
  std::uint32_t state = seed;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  const int span = 2 * amplitude + 1;
  for (int y = 0; y < image.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      // Mostly brightness noise, as a sensor gives, with a little colour.
      const int common = int(next() % unsigned(span)) - amplitude;
      const int r = int(next() % 3) - 1, b = int(next() % 3) - 1;
      const QRgb c = line[x];
      line[x] = qRgb(std::clamp(qRed(c) + common + r, 0, 255), std::clamp(qGreen(c) + common, 0, 255),
                     std::clamp(qBlue(c) + common + b, 0, 255));
    }
  }
}

}  // namespace picgen
