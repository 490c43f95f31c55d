#include "Pictures.h"
#include "Rough.h"
namespace picgen {
QImage drawAsusCpuPicture() {
  return roughPicture(992, 709, QColor(30, 40, 56), Qt::white, "UEFI BIOS Utility - Advanced Mode\nIntel Virtualization Technology  Disabled");
}
}  // namespace picgen
