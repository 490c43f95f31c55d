#include "Pictures.h"
#include "Rough.h"
namespace picgen {
QImage drawGigabyteCpuPicture() {
  return roughPicture(600, 528, Qt::white, Qt::black, "Advanced CPU Core Features\nSVM Mode [Enabled]");
}
}  // namespace picgen
