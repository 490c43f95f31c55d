// A page of a motherboard manual: the heading, a screenshot of the graphical setup's "Advanced CPU
// Core Features" page with "SVM Mode" framed in red, and the manual's explanation of SVM Mode.
// The program shows columns 0-479 and rows 0-311: the heading, the tabs, the path bar and the
// whole list; the explanation below the screenshot lies outside that part.

#include "Canvas.h"
#include "Pictures.h"

#include <QFontMetricsF>

#include <cmath>

namespace picgen {

namespace {

const QColor kOrange(255, 140, 0);
const QColor kScreenBack(22, 24, 28);
const QColor kPanel(34, 37, 43);
const QColor kText(226, 228, 232);
const QColor kGreyed(120, 124, 130);
const QColor kValueButton(28, 92, 178);
const QColor kRowHighlight(36, 70, 124);
const QColor kMark(230, 0, 0);

QFont mixedFont(int pixelSize, bool bold) {
  QFont font = sansFont(pixelSize, bold, true);
  font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")});
  return font;
}

// The pictures of the six tabs, drawn in light grey into a 30 x 24 box.
void drawTabIcon(QPainter& p, int index, const QRectF& box) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(205, 208, 214), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  const QPointF c = box.center();
  switch (index) {
    case 0: {  // M.I.T.: a speedometer with its needle
      const QRectF dial(c.x() - 14, c.y() - 10, 28, 28);
      p.drawArc(dial, 0, 180 * 16);
      for (int tick = 0; tick <= 6; ++tick) {
        const qreal a = M_PI * tick / 6;
        p.drawLine(QPointF(c.x() + 11 * std::cos(a), c.y() + 4 - 11 * std::sin(a)),
                   QPointF(c.x() + 14 * std::cos(a), c.y() + 4 - 14 * std::sin(a)));
      }
      p.setPen(QPen(kOrange, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(c.x(), c.y() + 4), QPointF(c.x() + 8, c.y() - 5));
      break;
    }
    case 1:  // System: a screen on a stand
      p.drawRoundedRect(QRectF(c.x() - 13, c.y() - 11, 26, 17), 2, 2);
      p.drawLine(QPointF(c.x(), c.y() + 6), QPointF(c.x(), c.y() + 10));
      p.drawLine(QPointF(c.x() - 7, c.y() + 11), QPointF(c.x() + 7, c.y() + 11));
      break;
    case 2:  // BIOS Features: a chip with its pins
      p.drawRect(QRectF(c.x() - 9, c.y() - 9, 18, 18));
      for (int pin = -1; pin <= 1; ++pin) {
        p.drawLine(QPointF(c.x() + pin * 5, c.y() - 13), QPointF(c.x() + pin * 5, c.y() - 10));
        p.drawLine(QPointF(c.x() + pin * 5, c.y() + 10), QPointF(c.x() + pin * 5, c.y() + 13));
        p.drawLine(QPointF(c.x() - 13, c.y() + pin * 5), QPointF(c.x() - 10, c.y() + pin * 5));
        p.drawLine(QPointF(c.x() + 10, c.y() + pin * 5), QPointF(c.x() + 13, c.y() + pin * 5));
      }
      break;
    case 3:  // Peripherals: a plug
      p.drawRoundedRect(QRectF(c.x() - 8, c.y() - 4, 16, 12), 2, 2);
      p.drawLine(QPointF(c.x() - 4, c.y() - 4), QPointF(c.x() - 4, c.y() - 11));
      p.drawLine(QPointF(c.x() + 4, c.y() - 4), QPointF(c.x() + 4, c.y() - 11));
      p.drawLine(QPointF(c.x(), c.y() + 8), QPointF(c.x(), c.y() + 13));
      break;
    case 4:  // Power Management: the power symbol
      p.drawArc(QRectF(c.x() - 11, c.y() - 9, 22, 22), 120 * 16, -240 * 16);
      p.drawLine(QPointF(c.x(), c.y() - 12), QPointF(c.x(), c.y()));
      break;
    default:  // Save & Exit: a door with an arrow
      p.drawRect(QRectF(c.x() - 12, c.y() - 11, 14, 22));
      p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 13, c.y()));
      p.drawLine(QPointF(c.x() + 8, c.y() - 5), QPointF(c.x() + 13, c.y()));
      p.drawLine(QPointF(c.x() + 8, c.y() + 5), QPointF(c.x() + 13, c.y()));
      break;
  }
  p.restore();
}

void drawButton(QPainter& p, const QRectF& rect, const QColor& fill, const QString& text, const QFont& font) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(fill.lighter(140), 1));
  p.setBrush(fill);
  p.drawRoundedRect(rect, 3, 3);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(rect, Qt::AlignCenter, text);
  p.restore();
}

// The screenshot, 560 x 405, as the manual prints it.
QImage drawScreenshot() {
  QImage shot(560, 405, QImage::Format_RGB32);
  shot.fill(kScreenBack);
  QPainter p(&shot);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // Title: "GIGABYTE - UEFI DualBIOS" with the word UEFI in orange.
  p.fillRect(0, 0, 560, 20, QColor(12, 13, 16));
  p.setFont(sansFont(12, true, true));
  const QFontMetrics title(p.font());
  int x = 10;
  for (const auto& [word, colour] : {std::pair{QStringLiteral("GIGABYTE - "), kText},
                                     std::pair{QStringLiteral("UEFI"), kOrange},
                                     std::pair{QStringLiteral(" DualBIOS"), kText}}) {
    p.setPen(colour);
    p.drawText(x, 15, word);
    x += title.horizontalAdvance(word);
  }

  // The six picture tabs, M.I.T. selected with its orange label bar and framed in red.
  const char* const tabs[] = {"M.I.T.", "System", "BIOS Features", "Peripherals", "Power Management", "Save & Exit"};
  const QFont tabFont = sansFont(9, true, true, 92);
  for (int i = 0; i < 6; ++i) {
    const QRectF tab(8 + 78 * i, 22, 74, 46);
    p.fillRect(tab, i == 0 ? QColor(48, 52, 60) : kPanel);
    drawTabIcon(p, i, QRectF(tab.x() + 22, tab.y() + 3, 30, 26));
    const QRectF label(tab.x(), tab.bottom() - 14, tab.width(), 14);
    if (i == 0) p.fillRect(label, kOrange);
    // A long name is set narrower to fit its tab, as the setup does.
    const QString name = QString::fromLatin1(tabs[i]);
    QFont font = tabFont;
    const qreal width = QFontMetricsF(font).horizontalAdvance(name);
    if (width > label.width() - 4) font.setStretch(int(92 * (label.width() - 4) / width));
    p.setFont(font);
    p.setPen(i == 0 ? Qt::black : kText);
    p.drawText(label, Qt::AlignCenter, name);
  }
  drawMarkRectangle(p, QRectF(7, 21, 76, 48), kMark, 2);

  // Path bar: Back, the path, and at the right the 3D BIOS and Q-Flash buttons.
  p.fillRect(0, 72, 560, 20, kPanel);
  const QFont small = sansFont(10, false, true);
  drawButton(p, QRectF(6, 74, 40, 16), QColor(70, 74, 82), QStringLiteral("\u25C0 Back"), sansFont(9, true, true));
  p.setFont(small);
  p.setPen(kText);
  p.drawText(54, 86, QStringLiteral("M.I.T.\\Advanced Frequency Settings\\Advanced CPU Core Features"));
  drawButton(p, QRectF(446, 74, 52, 16), QColor(96, 60, 20), QStringLiteral("3D BIOS"), sansFont(9, true, true));
  drawButton(p, QRectF(502, 74, 52, 16), QColor(70, 74, 82), QStringLiteral("Q-Flash"), sansFont(9, true, true));

  // The list of settings; help panel from x 420.
  struct Setting {
    const char* name;
    const char* current;
    const char* button;  // empty: a value that cannot be changed
  };
  const Setting settings[] = {{"CPU Clock Ratio", "38", "Auto"},
                              {"CPU Frequency", "3.80GHz", ""},
                              {"Core Performance Boost", "", "Auto"},
                              {"Turbo CPB", "", "Disabled"},
                              {"CPB Ratio", "42", "Auto"},
                              {"Cool&Quiet", "", "Enabled"},
                              {"SVM Mode", "", "Enabled"},
                              {"C6 Mode", "", "Enabled"},
                              {"CPU Core Control", "", "Automat..."}};
  const QFont listFont = sansFont(11, false, true);
  const QFont buttonFont = sansFont(10, true, true);
  const int top = 98, pitch = 19;
  for (int i = 0; i < 9; ++i) {
    const int y = top + pitch * i;
    const bool greyed = settings[i].button[0] == '\0';
    if (i == 0) p.fillRect(4, y, 410, pitch - 1, kRowHighlight);
    p.setFont(listFont);
    p.setPen(greyed ? kGreyed : kText);
    p.drawText(14, y + 13, QString::fromLatin1(settings[i].name));
    p.drawText(232, y + 13, QString::fromLatin1(settings[i].current));
    if (!greyed) drawButton(p, QRectF(300, y + 2, 104, pitch - 4), kValueButton, QString::fromLatin1(settings[i].button), buttonFont);
  }
  drawMarkRectangle(p, QRectF(5, top + pitch * 6 - 1, 406, pitch + 1), kMark, 2);

  p.fillRect(420, 98, 136, 284, kPanel);
  p.setFont(small);
  p.setPen(kText);
  p.drawText(QRectF(428, 104, 122, 40), Qt::AlignLeft | Qt::TextWordWrap,
             QStringLiteral("Set CPU Ratio if CPU Ratio is unlocked"));
  const char* const legend[] = {"\u2190\u2192: Select Screen", "\u2191\u2193: Select Item", "Enter: Select",
                                "+/-/PU/PD: Change Opt.", "F1: General Help", "F5: Previous Values",
                                "F7: Optimized Defaults", "F8: Q-Flash", "F9: System Information",
                                "F10: Save & Exit", "F12: Print Screen", "ESC: Exit"};
  p.setFont(sansFont(9, false, true));
  for (int i = 0; i < 12; ++i) p.drawText(428, 216 + 13 * i, QString::fromUtf8(legend[i]));
  p.setPen(QColor(150, 154, 160));
  p.drawText(QRectF(0, 386, 560, 16), Qt::AlignCenter, QStringLiteral("Copyright (C) 2012 American Megatrends, Inc."));
  return shot;
}

}  // namespace

QImage drawGigabyteCpuPicture() {
  QImage page(600, 528, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter p(&page);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  fillTriangleRight(p, QRectF(20, 10, 10, 13), Qt::black);
  p.setFont(sansFont(16, true, true));
  p.setPen(Qt::black);
  p.drawText(36, 23, QStringLiteral("Advanced CPU Core Features"));

  p.drawImage(20, 34, drawScreenshot());

  p.setFont(mixedFont(14, true));
  p.drawText(20, 465, QStringLiteral("SVM Mode (虚拟化技术)"));
  p.setFont(mixedFont(13, false));
  p.drawText(32, 489, QStringLiteral("此选项提供您选择是否启动虚拟化技术。虚拟化技术让您可以在同一平台的"));
  p.drawText(32, 509, QStringLiteral("独立数据分割区，执行多个操作系统和应用程序。(预设值：Enabled)"));
  return page;
}

}  // namespace picgen
