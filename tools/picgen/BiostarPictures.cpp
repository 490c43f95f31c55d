#include "Pictures.h"
#include "Rough.h"
namespace picgen {
QImage drawBiostarMainPicture() {
  return roughPicture(580, 326, QColor(170, 170, 170), QColor(0, 0, 168), "BIOS SETUP UTILITY  Main");
}
QImage drawBiostarAdvancedPicture() {
  return roughPicture(580, 326, QColor(170, 170, 170), QColor(0, 0, 168), "BIOS SETUP UTILITY  Advanced\nCPU Configuration");
}
}  // namespace picgen
