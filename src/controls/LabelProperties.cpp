#include "controls/LabelProperties.h"

namespace vtg::controls {

namespace {
constexpr std::uint32_t kNewestVersion = 2;
constexpr std::uint32_t kVersionWithData = 2;
}  // namespace

std::optional<LabelProperties> readLabelProperties(std::span<const std::uint8_t> block) {
  LabelProperties props;
  if (block.empty()) return props;

  PropertyReader in(block);
  if (!in.u32(props.version) || props.version > kNewestVersion) return std::nullopt;
  // The stream holds frameWidth before border, and vAlign before wordWrap.
  in.u32(props.effect);
  in.i32(props.frameWidth);
  in.u32(props.border);
  in.u32(props.frameColour1);
  in.u32(props.frameColour2);
  in.u32(props.frameColour3);
  in.u32(props.textColour);
  in.u32(props.backColour);
  in.u32(props.pictureMode);
  in.u32(props.gradientMode);
  in.u32(props.gradientColour1);
  in.u32(props.gradientColour2);
  in.u32(props.gradientColour3);
  in.u32(props.hAlign);
  in.u32(props.vAlign);
  in.u32(props.wordWrap);
  in.blob(props.font);
  in.blob(props.backPicture);
  in.text(props.text);
  if (props.version == kVersionWithData) {
    in.text(props.dataSource);
    in.text(props.dataColumn);
  }
  if (!in.ok()) return std::nullopt;
  return props;
}

}  // namespace vtg::controls
