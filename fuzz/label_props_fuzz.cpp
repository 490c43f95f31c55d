// The label's property reader on arbitrary bytes, and then the text layout and the font
// description reader on whatever it read: no crash, no leak, no read outside the block,
// and a wrapped line never passes the right edge unless it holds a single character.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "controls/Label.h"
#include "controls/LabelProperties.h"
#include "platform/Fonts.h"
#include "platform/TextDraw.h"

namespace {

// A fixed-width measure, so the layout runs without a display.
int fixedWidth(std::string_view gbk) {
  int w = 0;
  for (char c : gbk) w += static_cast<unsigned char>(c) >= 0x80 ? 8 : 7;
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto props = vtg::controls::readLabelProperties({data, size});
  if (!props) return 0;
  if (props->text.find('\0') != std::string::npos) __builtin_trap();
  vtg::platform::readFontSpec(props->font);

  // A rectangle taken from the stored numbers, kept small so a run stays quick.
  const int width = static_cast<int>(static_cast<std::uint32_t>(props->frameWidth) % 600);
  const int height = static_cast<int>(props->gradientColour1 % 400);
  const std::uint32_t flags = vtg::controls::labelTextFlags(*props);
  const auto layout = vtg::platform::layoutTextA(props->text, QSize(width, height), flags,
                                                 fixedWidth, 16);
  if (flags & vtg::platform::TextFlag::wordBreak) {
    for (const auto& line : layout.lines) {
      if (line.width <= width) continue;
      // Only a line with a single character on it (after any indentation, and a tab shows
      // as a blank) may overflow.
      const std::size_t first = line.gbk.find_first_not_of(' ');
      const std::size_t rest = first == std::string::npos ? 0 : line.gbk.size() - first;
      if (rest > 2) __builtin_trap();
    }
  }
  return 0;
}
