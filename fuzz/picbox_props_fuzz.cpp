// The PicBox property reader on arbitrary bytes: no crash and no read past the block, and
// whatever it accepts survives being written out again (as version 2) and read back.

#include <cstddef>
#include <cstdint>

#include "controls/PicBox.h"
#include "forms/PropertyStream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vtg::controls;
  const auto read = readPicBoxProperties({data, size});
  if (!read) return 0;
  vtg::PropertyWriter w;
  w.u32(2).i32(read->border).u32(read->backColour).i32(read->displayMode)
      .u32(read->playAnimation ? 1 : 0).blob(read->picture).text(read->dataSource)
      .text(read->dataColumn);
  const auto again = readPicBoxProperties(w.bytes());
  if (!again || again->border != read->border || again->backColour != read->backColour ||
      again->picture != read->picture || again->displayMode != read->displayMode ||
      again->playAnimation != read->playAnimation || again->dataSource != read->dataSource ||
      again->dataColumn != read->dataColumn)
    __builtin_trap();
  return 0;
}
