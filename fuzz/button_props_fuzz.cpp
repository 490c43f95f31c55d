// The push button's property reader on arbitrary bytes: no crash, no leak, no read
// outside the block; whatever it reads writes back to a block that reads the same; and
// the composed style always keeps the bits every button has.

#include <cstddef>
#include <cstdint>

#include "controls/ButtonProperties.h"
#include "forms/PropertyStream.h"

namespace {

using vtg::controls::ButtonProperties;

bool same(const ButtonProperties& a, const ButtonProperties& b) {
  return a.type == b.type && a.hAlign == b.hAlign && a.vAlign == b.vAlign &&
         a.picture == b.picture && a.font == b.font && a.caption == b.caption;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace S = vtg::controls::ButtonStyle;
  const auto props = vtg::controls::readButtonProperties({data, size});
  if (!props) return 0;
  if (props->caption.find('\0') != std::string::npos) __builtin_trap();

  vtg::PropertyWriter w;
  w.u32(1).u32(props->type).u32(props->hAlign).u32(props->vAlign);
  w.blob(props->picture).blob(props->font).text(props->caption);
  const auto again = vtg::controls::readButtonProperties(w.bytes());
  if (!again || !same(*props, *again)) __builtin_trap();

  const std::uint32_t stateBits = size > 0 ? std::uint32_t(data[0]) << 20 : 0;
  const auto image = static_cast<vtg::controls::ButtonImage>(size % 3);
  const std::uint32_t style = vtg::controls::composeButtonStyle(*props, stateBits, image);
  const std::uint32_t always = S::child | S::clipSiblings | S::multiline;
  if ((style & always) != always) __builtin_trap();
  if ((style & S::hMask) == 0 || (style & S::vMask) == 0) __builtin_trap();
  if (vtg::controls::isDefaultPushButtonStyle(style) != (props->type == 1)) __builtin_trap();
  return 0;
}
