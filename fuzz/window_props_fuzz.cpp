// Feeds arbitrary bytes to the window property reader. A block either reads or does not;
// one that reads composes a style and writes back to a block that reads the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "controls/WindowProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vtg::controls;
  const auto properties = readWindowProperties(std::span<const std::uint8_t>(data, size));
  if (!properties) return 0;
  const WindowStyle style = composeWindowStyle(*properties, 0);
  if (!(style.style & WindowStyleBit::clipChildren)) std::abort();
  const auto again = readWindowProperties(writeWindowProperties(*properties));
  if (!again || !(*again == *properties)) std::abort();
  return 0;
}
