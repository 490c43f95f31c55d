// Two photographs of the blue "CMOS Setup Utility" of an MSI board: the main menu, and the
// "CPU Feature" page with the virtualization setting. The photographs are cropped to the screen,
// which runs on past their right edges. The program shows columns 8-551 and rows 0-287 of the
// menu, and all columns and rows 0-391 of the CPU Feature page.

#include "Canvas.h"
#include "Pictures.h"

#include <vector>

namespace picgen {

namespace {

constexpr int kScale = 2;  // drawn at twice the size, then photographed down
constexpr int kCols = 80, kRows = 25;

const QColor kBlue(12, 28, 214);
const QColor kPaleYellow(250, 250, 170);
const QColor kWhite(250, 250, 250);
const QColor kRed(214, 22, 22);

QImage photographCropped(const QImage& screen, QSize size, const QPolygonF& corners, std::uint32_t seed) {
  QImage photo = photographScreen(screen, size, corners, QColor(8, 8, 20));
  darkenEdges(photo, 0.14);
  addNoise(photo, 2, seed);
  return photo;
}

const QString kMakerNotice =
    QStringLiteral("CMOS Setup Utility - Copyright (C) 1985-2005, American Megatrends, Inc.");

}  // namespace

QImage drawMsiMenuPicture() {
  // Cells of 8.7 x 18.5 pixels in the photograph; the menu entries stand on every other row.
  constexpr qreal cellW = 8.7 * kScale, cellH = 18.5 * kScale;
  QImage screen(int(kCols * cellW), int(kRows * cellH), QImage::Format_RGB32);
  screen.fill(kBlue);
  QPainter p(&screen);
  TextGrid grid(p, QPointF(0, 0), cellW, cellH, monoFont(15 * kScale, true, false, 96));

  grid.text(4, 0, kMakerNotice, kWhite);
  const qreal line = 1.5 * kScale;
  grid.hline(2, 1, 78, kPaleYellow, line);
  grid.hline(18, 1, 78, kPaleYellow, line);
  grid.hline(21, 1, 78, kPaleYellow, line);
  grid.vline(1, 2, 23, kPaleYellow, line);
  grid.vline(78, 2, 23, kPaleYellow, line);
  grid.vline(39.5, 2, 18, kPaleYellow, line);
  grid.hline(23, 1, 78, kPaleYellow, line);

  struct Entry {
    const char* name;
    bool subMenu;
  };
  const Entry left[] = {{"Standard CMOS Features", true}, {"Advanced BIOS Features", true},
                        {"Integrated Peripherals", true}, {"Power Management Setup", true},
                        {"H/W Monitor", true},            {"Green Power", true},
                        {"BIOS Setting Password", true}};
  const Entry right[] = {{"Cell Menu", true},
                         {"M-Flash", true},
                         {"Overclocking Profile", true},
                         {"Load Fail-Safe Defaults", false},
                         {"Load Optimized Defaults", false},
                         {"Save & Exit Setup", false},
                         {"Exit Without Saving", false}};
  for (int i = 0; i < 7; ++i) {
    const int row = 4 + 2 * i;
    const QString leftName = QString::fromLatin1(left[i].name);
    if (i == 0) grid.fill(3, row, leftName.size() + 2, 1, kRed);
    grid.triangle(2, row, kPaleYellow);
    grid.text(4, row, leftName, kPaleYellow);
    if (right[i].subMenu) grid.triangle(42, row, kPaleYellow);
    grid.text(44, row, QString::fromLatin1(right[i].name), kPaleYellow);
  }

  grid.text(3, 19, QStringLiteral("Esc : Quit"), kPaleYellow);
  grid.text(42, 19, QStringLiteral("\u2191\u2193\u2192\u2190 : Select Item"), kPaleYellow);
  grid.text(3, 20, QStringLiteral("F10 : Save & Exit Setup"), kPaleYellow);
  grid.text(14, 22, QStringLiteral("Configure Time and Date. Display System Information."), kWhite);
  grid.text(3, 24, QStringLiteral("V1.2 081910  Intel(R) Core(TM) i7 CPU 870 @ 2933MHz (133x22)"), kWhite);

  QPolygonF corners;
  corners << QPointF(-2, 0) << QPointF(695, -3) << QPointF(697, 463) << QPointF(-1, 462);
  QImage photo = photographCropped(screen, QSize(580, 460), corners, 0x5EED0003u);
  QPainter overlay(&photo);
  drawHandPointer(overlay, QPointF(284, 190), 1.1);
  return photo;
}

QImage drawMsiCpuFeaturePicture() {
  // Closer in than the menu: cells of 12 x 24 pixels in the photograph, one setting a row.
  constexpr qreal cellW = 12.0 * kScale, cellH = 24.0 * kScale;
  QImage screen(int(kCols * cellW), int(kRows * cellH), QImage::Format_RGB32);
  screen.fill(kBlue);
  QPainter p(&screen);
  TextGrid grid(p, QPointF(0, 0), cellW, cellH, monoFont(19 * kScale, true, false, 96));

  grid.text(1, 0, kMakerNotice, kWhite);
  grid.text(42, 1, QStringLiteral("CPU Feature"), kWhite);
  grid.hline(2.4, 0, 79, kWhite, 1.0 * kScale);

  struct Setting {
    const char* name;
    const char* value;
  };
  const Setting settings[] = {{"Intel EIST", "Auto"},
                              {"Intel C-State", "Enabled"},
                              {"C State Package Limit Setting", "Auto"},
                              {"C1E Support", "Enabled"},
                              {"OverSpeed Protection", "Enabled"},
                              {"Hyper-Threading Function", "Enabled"},
                              {"Execute Bit Support", "Enabled"},
                              {"Set Limit CPUID MaxVal to 3", "Disabled"},
                              {"Intel Virtualization Tech", "Disabled"},
                              {"Intel VT-d Tech", "Disabled"}};
  for (int i = 0; i < 10; ++i) {
    const int row = 4 + i;
    // Every value stands in a field of ten characters, so that each runs on past the photograph.
    const QString value = QStringLiteral("[%1]").arg(QString::fromLatin1(settings[i].value), -10);
    if (i == 9) grid.fill(39.4, row, 11, 1, kRed);
    grid.text(3.75, row, QString::fromLatin1(settings[i].name), kWhite);
    grid.text(39.4, row, value, kWhite);
  }

  QPolygonF corners;
  corners << QPointF(0, -1) << QPointF(960, -4) << QPointF(962, 601) << QPointF(1, 600);
  QImage photo = photographCropped(screen, QSize(580, 486), corners, 0x5EED0004u);
  QPainter overlay(&photo);
  drawHandPointer(overlay, QPointF(420, 270), 1.2);
  return photo;
}

}  // namespace picgen
