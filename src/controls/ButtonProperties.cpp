#include "controls/ButtonProperties.h"

namespace vtg::controls {

std::optional<ButtonProperties> readButtonProperties(std::span<const std::uint8_t> block) {
  ButtonProperties props;
  if (block.empty()) return props;

  PropertyReader in(block);
  std::uint32_t version = 0;
  if (!in.u32(version) || version > 1) return std::nullopt;
  // Versions 0 and 1 store the same fields.
  in.u32(props.type);
  in.u32(props.hAlign);
  in.u32(props.vAlign);
  in.blob(props.picture);
  in.blob(props.font);
  in.text(props.caption);
  if (!in.ok()) return std::nullopt;
  return props;
}

std::uint32_t composeButtonStyle(const ButtonProperties& props, std::uint32_t stateBits,
                                 ButtonImage image) {
  std::uint32_t style = ButtonStyle::child | ButtonStyle::clipSiblings | ButtonStyle::multiline;
  style |= stateBits & (ButtonStyle::tabStop | ButtonStyle::disabled);
  style |= props.type == 1 ? ButtonStyle::defPushButton : ButtonStyle::pushButton;
  switch (props.hAlign) {
    case 0: style |= ButtonStyle::left; break;
    case 1: style |= ButtonStyle::centre; break;
    default: style |= ButtonStyle::right; break;
  }
  switch (props.vAlign) {
    case 0: style |= ButtonStyle::top; break;
    case 1: style |= ButtonStyle::vcentre; break;
    default: style |= ButtonStyle::bottom; break;
  }
  if (image == ButtonImage::icon) style |= ButtonStyle::icon;
  if (image == ButtonImage::bitmap) style |= ButtonStyle::bitmap;
  return style;
}

}  // namespace vtg::controls
