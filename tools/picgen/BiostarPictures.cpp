// Two photographs of a monitor showing the AMI text-mode setup of a Biostar board: the Main page,
// and the Advanced page where "CPU Configuration" leads on to the virtualization setting.
// The program shows all columns and rows 0-287 of the first, columns 0-423 and rows 0-151 of the
// second, so the second's title, tabs, warning and first entries sit in its upper left.

#include "Canvas.h"
#include "Pictures.h"

#include <vector>

namespace picgen {

namespace {

// The screen is drawn flat at twice the size it has in the photograph, on the 80 x 25 grid of
// the text mode; the photograph then shrinks it onto the screen's corners.
constexpr int kScale = 2;
constexpr int kCols = 80, kRows = 25;
constexpr qreal kCellW = 7.0 * kScale, kCellH = 12.5 * kScale;

const QColor kBlue(16, 24, 160);
const QColor kGrey(170, 170, 178);
const QColor kWhite(250, 250, 250);
const QColor kLightText(200, 200, 210);

enum class Page { Main, Advanced };

struct Line {
  int col;
  int row;
  const char* text;
  bool highlighted = false;
};

QImage drawSetupScreen(Page page) {
  QImage screen(int(kCols * kCellW), int(kRows * kCellH), QImage::Format_RGB32);
  screen.fill(kGrey);
  QPainter p(&screen);
  TextGrid grid(p, QPointF(0, 0), kCellW, kCellH, monoFont(11 * kScale, true, false));

  // Title row and tab row in blue; the selected tab in the page's grey with blue letters.
  grid.fill(0, 0, kCols, 2, kBlue);
  grid.text(26, 0, QStringLiteral("BIOS SETUP UTILITY (A780L3)"), kLightText);
  struct Tab {
    int col;
    const char* name;
  };
  const Tab tabs[] = {{3, "Main"},     {11, "Advanced"}, {23, "PCIPnP"}, {33, "Boot"},
                      {41, "Chipset"}, {52, "Performance"}, {67, "Exit"}};
  for (const Tab& tab : tabs) {
    const QString name = QString::fromLatin1(tab.name);
    const bool selected = (page == Page::Main && name == QLatin1String("Main")) ||
                          (page == Page::Advanced && name == QLatin1String("Advanced"));
    if (selected) grid.fill(tab.col - 1, 1, name.size() + 2, 1, kGrey);
    grid.text(tab.col, 1, name, selected ? kBlue : kWhite);
  }

  // The frame: the settings panel on the left, the help panel from column 58.
  const qreal line = 1.0 * kScale;
  grid.hline(2, 0, 79, kBlue, line);
  grid.hline(23, 0, 79, kBlue, line);
  grid.vline(0, 2, 23, kBlue, line);
  grid.vline(57, 2, 23, kBlue, line);
  grid.vline(79, 2, 23, kBlue, line);

  std::vector<Line> lines;
  std::vector<int> subMenuRows;
  if (page == Page::Main) {
    lines = {{2, 3, "System Overview"},
             {2, 5, "AMIBIOS"},
             {2, 6, "Version      :08.00.15"},
             {2, 7, "Build Date   :09/17/09"},
             {2, 9, "System Memory"},
             {2, 10, "Size         :2048MB"},
             {2, 12, "System Time", true},
             {30, 12, "[16:54:19]", true},
             {2, 13, "System Date"},
             {30, 13, "[Fri 11/01/2013]"},
             {2, 14, "Floppy A"},
             {30, 14, "[Disabled]"},
             {4, 16, "SATA/IDE Configuration"},
             {59, 3, "Use [ENTER], [TAB]"},
             {59, 4, "or [SHIFT-TAB] to"},
             {59, 5, "select a field."},
             {59, 7, "Use [+] or [-] to"},
             {59, 8, "configure system"},
             {59, 9, "Time."}};
    subMenuRows = {16};
  } else {
    lines = {{2, 3, "Advanced Settings"},
             {2, 5, "WARNING: Setting wrong values in below sections"},
             {11, 6, "may cause system to malfunction."},
             {4, 8, "CPU Configuration", true},
             {4, 9, "SuperIO Configuration"},
             {4, 10, "Hardware Health Configuration"},
             {4, 11, "Smart Fan Configuration"},
             {4, 12, "Power Configuration"},
             {4, 13, "USB Configuration"},
             {59, 3, "Configure CPU."}};
    subMenuRows = {8, 9, 10, 11, 12, 13};
    grid.hline(4, 1, 56, kBlue, line);
  }
  for (const Line& l : lines) grid.text(l.col, l.row, QString::fromLatin1(l.text), l.highlighted ? kWhite : kBlue);
  for (int row : subMenuRows) grid.triangle(2, row, row == subMenuRows.front() && page == Page::Advanced ? kWhite : kBlue);

  // The key legend at the foot of the help panel.
  struct Key {
    QString keys;
    const char* meaning;
  };
  std::vector<Key> legend = {{QStringLiteral("\u2190\u2192"), "Select Screen"},
                             {QStringLiteral("\u2191\u2193"), "Select Item"}};
  if (page == Page::Main) {
    legend.push_back({QStringLiteral("+-"), "Change Field"});
    legend.push_back({QStringLiteral("Tab"), "Select Field"});
  } else {
    legend.push_back({QStringLiteral("Enter"), "Go to Sub Screen"});
  }
  legend.push_back({QStringLiteral("F1"), "General Help"});
  legend.push_back({QStringLiteral("F10"), "Save and Exit"});
  legend.push_back({QStringLiteral("ESC"), "Exit"});
  int row = 22 - int(legend.size());
  for (const Key& key : legend) {
    grid.text(59, row, key.keys, kBlue);
    grid.text(65, row, QString::fromLatin1(key.meaning), kBlue);
    ++row;
  }

  grid.fill(0, 24, kCols, 1, kBlue);
  grid.text(10, 24, QStringLiteral("v02.61 (C)Copyright 1985-2006, American Megatrends, Inc."), kLightText);
  return screen;
}

QImage photographMonitor(const QImage& screen, std::uint32_t seed) {
  // Taken a little from the left: the left edge of the screen is nearer and a little taller,
  // and more of the black surround shows at the left and at the bottom.
  QPolygonF corners;
  corners << QPointF(15, 10) << QPointF(577, 7) << QPointF(578, 314) << QPointF(14, 318);
  QImage photo = photographScreen(screen, QSize(580, 326), corners, QColor(14, 14, 16));
  darkenEdges(photo, 0.10);
  addNoise(photo, 2, seed);
  return photo;
}

}  // namespace

QImage drawBiostarMainPicture() { return photographMonitor(drawSetupScreen(Page::Main), 0x5EED0001u); }

QImage drawBiostarAdvancedPicture() { return photographMonitor(drawSetupScreen(Page::Advanced), 0x5EED0002u); }

}  // namespace picgen
