// A screenshot of ASUS's graphical setup at Advanced > CPU Configuration, with "Intel
// Virtualization Technology" circled in blue by hand. The program shows columns 0-735 and rows
// 0-631: the title, the tabs Main to Boot, the whole left panel and the right panel's left edge.

#include "Canvas.h"
#include "Pictures.h"

#include <QLinearGradient>

#include <cmath>

namespace picgen {

namespace {

const QColor kTop(22, 30, 44);
const QColor kBottom(40, 52, 70);
const QColor kPanelLine(78, 96, 122);
const QColor kText(232, 236, 242);
const QColor kDimText(176, 188, 204);
const QColor kHeading(122, 196, 255);
const QColor kValueBox(16, 20, 28);
const QColor kRowHighlight(86, 148, 204);
const QColor kEllipse(24, 72, 255);

// The pictures of the six tabs, 28 x 28, in light grey.
void drawTabIcon(QPainter& p, int index, QPointF c) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(210, 222, 236), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  switch (index) {
    case 0:  // Main: a list
      for (int i = 0; i < 4; ++i) p.drawLine(c + QPointF(-10, -9 + 6 * i), c + QPointF(10, -9 + 6 * i));
      break;
    case 1:  // Ai Tweaker: a gauge
      p.drawArc(QRectF(c.x() - 12, c.y() - 10, 24, 24), 0, 180 * 16);
      p.drawLine(c + QPointF(0, 2), c + QPointF(7, -6));
      break;
    case 2:  // Advanced: a chip
      p.drawRect(QRectF(c.x() - 8, c.y() - 8, 16, 16));
      for (int i = -1; i <= 1; ++i) {
        p.drawLine(c + QPointF(i * 5, -12), c + QPointF(i * 5, -9));
        p.drawLine(c + QPointF(i * 5, 9), c + QPointF(i * 5, 12));
      }
      break;
    case 3:  // Monitor: a thermometer
      p.drawRoundedRect(QRectF(c.x() - 3, c.y() - 12, 6, 17), 3, 3);
      p.drawEllipse(c + QPointF(0, 8), 5, 5);
      break;
    case 4:  // Boot: a power symbol
      p.drawArc(QRectF(c.x() - 10, c.y() - 8, 20, 20), 120 * 16, -240 * 16);
      p.drawLine(c + QPointF(0, -11), c + QPointF(0, 1));
      break;
    default:  // Tool: a wrench
      p.drawLine(c + QPointF(-9, 9), c + QPointF(5, -5));
      p.drawEllipse(c + QPointF(6, -6), 5, 5);
      break;
  }
  p.restore();
}

void drawValueBox(QPainter& p, const QRectF& rect, const QString& text, const QFont& font) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kPanelLine, 1));
  p.setBrush(kValueBox);
  p.drawRoundedRect(rect, 4, 4);
  p.setFont(font);
  p.setPen(kText);
  p.drawText(rect.adjusted(12, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
  p.restore();
}

}  // namespace

QImage drawAsusCpuPicture() {
  QImage image(992, 709, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::Antialiasing, true);

  // The screen itself, with the white margin of the screenshot at its right and bottom.
  const QRect screen(0, 0, 942, 694);
  QLinearGradient back(0, 0, 0, screen.height());
  back.setColorAt(0, kTop);
  back.setColorAt(1, kBottom);
  p.fillRect(screen, back);

  // Title bar: the title, and the Exit button at the top right.
  p.fillRect(0, 0, 942, 46, QColor(12, 16, 24));
  p.setFont(sansFont(20, false, true));
  p.setPen(kText);
  p.drawText(150, 31, QStringLiteral("UEFI BIOS Utility - Advanced Mode"));
  p.setPen(QPen(kPanelLine, 1));
  p.setBrush(QColor(34, 44, 60));
  p.drawRoundedRect(QRectF(838, 10, 92, 26), 4, 4);
  p.setFont(sansFont(14, false, true));
  p.setPen(kText);
  p.drawText(QRectF(838, 10, 92, 26), Qt::AlignCenter, QStringLiteral("Exit"));

  // The six tabs; Advanced is selected and lighter.
  const char* const tabs[] = {"Main", "Ai Tweaker", "Advanced", "Monitor", "Boot", "Tool"};
  for (int i = 0; i < 6; ++i) {
    const QRectF tab(10 + 142 * i, 52, 138, 46);
    p.setPen(Qt::NoPen);
    p.setBrush(i == 2 ? QColor(84, 110, 146) : QColor(30, 40, 56));
    p.drawRoundedRect(tab, 4, 4);
    drawTabIcon(p, i, tab.topLeft() + QPointF(26, 23));
    p.setFont(sansFont(16, i == 2, true));
    p.setPen(kText);
    p.drawText(QPointF(tab.x() + 48, tab.y() + 29), QString::fromLatin1(tabs[i]));
  }

  // Path line with its Back button.
  p.setPen(QPen(kPanelLine, 1));
  p.setBrush(QColor(34, 44, 60));
  p.drawRoundedRect(QRectF(12, 106, 64, 24), 4, 4);
  p.setFont(sansFont(13, false, true));
  p.setPen(kText);
  p.drawText(QRectF(12, 106, 64, 24), Qt::AlignCenter, QStringLiteral("Back"));
  p.setFont(sansFont(15, false, true));
  p.drawText(QPointF(88, 124), QStringLiteral("Advanced\\  CPU Configuration  >"));

  // Left panel and right panel.
  p.setPen(QPen(kPanelLine, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(10.5, 138.5, 694, 514));
  p.drawRect(QRectF(712.5, 138.5, 220, 514));

  p.setFont(sansFont(16, true, true));
  p.setPen(kHeading);
  p.drawText(QPointF(28, 166), QStringLiteral("CPU Configuration"));
  p.setFont(sansFont(14, false, true));
  p.setPen(kText);
  p.drawText(QPointF(28, 190), QStringLiteral("Intel(R) Core(TM) i5-2500 CPU @ 3.30GHz"));

  const char* const information[][2] = {
      {"EM64T", "Supported"},          {"Processor Speed", "3300 MHz"},  {"Processor Stepping", "206a6"},
      {"Microcode Revision", "23"},    {"L1 Data Cache", "32 kB x 4"},  {"L1 Code Cache", "32 kB x 4"},
      {"L2 Cache", "256 kB x 4"},      {"L3 Cache", "6144 kB"},         {"Processor Cores", "4"},
      {"Intel HT Technology", "Supported"}, {"CPU Ratio Range", "16-33"}, {"CPU Current Ratio", "33"}};
  p.setFont(sansFont(13, false, true));
  p.setPen(kDimText);
  for (int i = 0; i < 12; ++i) {
    p.drawText(QPointF(28, 214 + 18.5 * i), QString::fromLatin1(information[i][0]));
    p.drawText(QPointF(330, 214 + 18.5 * i), QString::fromLatin1(information[i][1]));
  }

  // The settings, 33 pixels apart; the first is the selected row.
  const char* const settings[][2] = {{"Intel Adaptive Thermal Monitor", "Enabled"},
                                     {"Active Processor Cores", "All"},
                                     {"Limit CPUID Maximum", "Disabled"},
                                     {"Execute Disable Bit", "Enabled"},
                                     {"Intel Virtualization Technology", "Disabled"},
                                     {"Hardware Prefetcher", "Enabled"}};
  const QFont settingFont = sansFont(15, false, true);
  for (int i = 0; i < 6; ++i) {
    const qreal centre = 441 + 33 * i;
    if (i == 0) {
      p.setPen(Qt::NoPen);
      p.setBrush(kRowHighlight);
      p.drawRoundedRect(QRectF(16, centre - 15, 662, 30), 3, 3);
    }
    p.setFont(settingFont);
    p.setPen(kText);
    p.drawText(QPointF(28, centre + 5), QString::fromLatin1(settings[i][0]));
    drawValueBox(p, QRectF(470, centre - 12, 190, 24), QString::fromLatin1(settings[i][1]), settingFont);
  }
  drawHandEllipse(p, QRectF(15, 441 + 33 * 4 - 17, 666, 34), kEllipse, 3.0);

  // Scroll bar right of the list.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(24, 30, 42));
  p.drawRoundedRect(QRectF(688, 146, 10, 498), 5, 5);
  p.setBrush(QColor(118, 136, 162));
  p.drawRoundedRect(QRectF(689, 150, 8, 300), 4, 4);

  // Right panel: the help on the selected setting, and the key legend.
  p.setFont(sansFont(13, false, true));
  p.setPen(kText);
  p.drawText(QPointF(724, 164), QStringLiteral("Includes TM1, TM2 and EMTTM"));
  p.setPen(QPen(kPanelLine, 1));
  p.drawLine(QPointF(722, 502.5), QPointF(922, 502.5));
  const char* const legend[] = {"\u2192\u2190: Select Screen", "\u2191\u2193: Select Item", "Enter: Select",
                                "+/-: Change Opt.", "F1: General Help", "F2: Previous Values",
                                "F5: Optimized Defaults", "F10: Save  ESC: Exit", "F12: Print Screen"};
  p.setPen(kDimText);
  for (int i = 0; i < 9; ++i) p.drawText(QPointF(726, 526 + 15 * i), QString::fromUtf8(legend[i]));

  // Footer.
  p.setFont(sansFont(12, false, true));
  p.setPen(kDimText);
  p.drawText(QRectF(0, 662, 942, 22), Qt::AlignCenter,
             QStringLiteral("Version 2.10.1208. Copyright (C) 2011 American Megatrends, Inc."));
  return image;
}

}  // namespace picgen
