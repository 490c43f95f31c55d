#include "platform/TextDraw.h"

#include <QFontMetrics>
#include <QPainter>

#include "platform/Gbk.h"

// FIXME: first cut that leans on Qt's own word wrap; to be replaced by the GBK-aware layout.
namespace vtg::platform {
namespace {
int qtFlags(std::uint32_t flags) {
  int f = 0;
  if (flags & TextFlag::centre) f |= Qt::AlignHCenter;
  else if (flags & TextFlag::right) f |= Qt::AlignRight;
  else f |= Qt::AlignLeft;
  if (flags & TextFlag::singleLine) {
    if (flags & TextFlag::vcentre) f |= Qt::AlignVCenter;
    else if (flags & TextFlag::bottom) f |= Qt::AlignBottom;
    else f |= Qt::AlignTop;
  } else {
    f |= Qt::AlignTop;
  }
  if (flags & TextFlag::wordBreak) f |= Qt::TextWordWrap;
  return f;
}
}  // namespace

void drawTextA(QPainter& painter, const QFont& font, std::string_view gbk, const QRect& rect,
               std::uint32_t flags, const QColor& colour) {
  painter.save();
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(rect, qtFlags(flags), unicodeFromGbk(gbk));
  painter.restore();
}

QRect measureTextA(const QFont& font, std::string_view gbk, const QRect& rect, std::uint32_t flags) {
  QFontMetrics fm(font);
  return fm.boundingRect(rect, qtFlags(flags), unicodeFromGbk(gbk));
}

}  // namespace vtg::platform
