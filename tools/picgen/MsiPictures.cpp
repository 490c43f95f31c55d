#include "Pictures.h"
#include "Rough.h"
namespace picgen {
QImage drawMsiMenuPicture() {
  return roughPicture(580, 460, QColor(0, 0, 230), QColor(255, 255, 160), "CMOS Setup Utility\nStandard CMOS Features");
}
QImage drawMsiCpuFeaturePicture() {
  return roughPicture(580, 486, QColor(0, 0, 230), Qt::white, "CPU Feature\nIntel Virtualization Tech [Disabled]");
}
}  // namespace picgen
