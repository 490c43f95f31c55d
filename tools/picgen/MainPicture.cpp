// A notebook's text-mode setup, as a sharp screenshot, with red marks and captions drawn over it
// to show where "Intel Virtual Technology" sits. The program shows columns 0-615 and rows 0-343.

#include "Canvas.h"
#include "Pictures.h"

namespace picgen {

namespace {

const QColor kCyan(0, 168, 168);
const QColor kDarkBlue(0, 0, 128);
const QColor kPage(192, 192, 192);
const QColor kGreyedText(112, 112, 112);
const QColor kMark(240, 0, 0);

}  // namespace

QImage drawMainPicture() {
  QImage image(709, 366, QImage::Format_RGB32);
  image.fill(kPage);
  QPainter p(&image);
  const QFont screenFont = monoFont(19, true, false);
  p.setFont(screenFont);

  // The lower edge of the title bar, then the tab bar with the selected tab as a page-coloured box.
  p.fillRect(0, 0, 709, 5, kCyan);
  p.fillRect(0, 5, 709, 31, kDarkBlue);
  struct Tab {
    int x;
    const char* name;
  };
  const Tab tabs[] = {{36, "Information"}, {250, "Configuration"}, {487, "Security"}, {675, "Boot"}};
  for (const Tab& tab : tabs) {
    const bool selected = QString::fromLatin1(tab.name) == QLatin1String("Configuration");
    if (selected) p.fillRect(tab.x - 11, 9, 13 * 11 + 28, 27, kPage);
    p.setPen(selected ? kDarkBlue : Qt::white);
    p.drawText(QPoint(tab.x, 28), QString::fromLatin1(tab.name));
  }

  // The items: names from x 48, values from x 398, 27 pixels apart down to the selected one.
  struct Item {
    const char* name;
    const char* value;
  };
  const Item items[] = {
      {"System Time:", "[10:50:44]"},
      {"System Date:", "[01/25/2010]"},
      {"", ""},
      {"WLAN Device:", "[Enabled]"},
      {"SATA Mode Selection", "[AHCI]"},
      {"Switchable function", "[INTEL graphic Mode]"},
      {"Power Beep", "[Enabled]"},
      {"Intel Virtual Technology", "[Disabled]"},
  };
  const int firstBaseline = 120, pitch = 27;
  for (int i = 0; i < 8; ++i) {
    const int baseline = firstBaseline + pitch * i;
    const QString name = QString::fromLatin1(items[i].name);
    const QString value = QString::fromLatin1(items[i].value);
    const bool selected = i == 7;
    const bool greyed = name.startsWith(QLatin1String("Switchable"));
    p.setPen(selected ? Qt::white : kDarkBlue);
    p.drawText(QPoint(48, baseline), name);
    if (value.isEmpty()) continue;
    if (selected) {
      // Only the word itself is highlighted; the brackets keep the page's colours.
      const QFontMetrics metrics(screenFont);
      const int open = metrics.horizontalAdvance(QLatin1Char('['));
      const QString word = value.mid(1, value.size() - 2);
      const int wordWidth = metrics.horizontalAdvance(word);
      p.setPen(kDarkBlue);
      p.drawText(QPoint(398, baseline), QStringLiteral("["));
      p.fillRect(398 + open, baseline - 17, wordWidth, 23, Qt::black);
      p.setPen(Qt::white);
      p.drawText(QPoint(398 + open, baseline), word);
      p.setPen(kDarkBlue);
      p.drawText(QPoint(398 + open + wordWidth, baseline), QStringLiteral("]"));
    } else {
      p.setPen(greyed ? kGreyedText : kDarkBlue);
      p.drawText(QPoint(398, baseline), value);
    }
  }

  // What someone drew over the screenshot: the two lines of keys, the frame and the caption.
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(cjkFont(16, true));
  p.setPen(kMark);
  p.drawText(QPoint(48, 70), QStringLiteral("不同品牌电脑进入BIOS设置不同  华硕f8 Intel f2 其他f11 f12"));
  p.drawText(QPoint(48, 93), QStringLiteral("笔记本 f1或者f2  Dell 按esc 其他f12"));
  const int vtBaseline = firstBaseline + pitch * 7;
  drawMarkRectangle(p, QRectF(40, vtBaseline - 21, 500, 28), kMark, 2);
  p.setFont(cjkFont(34, true));
  p.drawText(QPoint(546, vtBaseline + 7), QStringLiteral("选择此处"));
  return image;
}

}  // namespace picgen
