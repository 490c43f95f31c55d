#include "Pictures.h"
#include "Rough.h"
namespace picgen {
QImage drawMainPicture() {
  return roughPicture(709, 366, QColor(192, 192, 192), QColor(0, 0, 128),
                      "Intel Virtual Technology [Disabled]");
}
}  // namespace picgen
