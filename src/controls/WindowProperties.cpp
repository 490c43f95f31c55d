#include "controls/WindowProperties.h"

namespace vtg::controls {
namespace {

bool readFlag(PropertyReader& in, bool& out) {
  std::uint32_t v = 0;
  if (!in.u32(v)) return false;
  out = v != 0;
  return true;
}

}  // namespace

// The block: version; thirteen numbers; what later versions added; three blobs; two texts.
std::optional<WindowProperties> readWindowProperties(std::span<const std::uint8_t> block) {
  WindowProperties p;
  if (block.empty()) return p;

  PropertyReader in(block);
  std::uint32_t version = 0;
  if (!in.u32(version) || version > kNewestWindowPropertiesVersion) return std::nullopt;

  in.u32(p.border);
  in.u32(p.pictureMode);
  in.u32(p.backColour);
  readFlag(in, p.maximiseBox);
  readFlag(in, p.minimiseBox);
  readFlag(in, p.controlBox);
  in.u32(p.position);
  readFlag(in, p.movable);
  in.u32(p.musicPlayMode);
  readFlag(in, p.enterMovesFocus);
  readFlag(in, p.escCloses);
  readFlag(in, p.f1OpensHelp);
  in.u32(p.helpContext);
  if (version >= 2) readFlag(in, p.showInTaskbar);
  if (version >= 3) {
    readFlag(in, p.dragAnywhere);
    in.u32(p.shape);
  }
  if (version >= 4) readFlag(in, p.alwaysOnTop);
  if (version >= 5) readFlag(in, p.keepCaptionActive);
  if (version >= 6) in.text(p.className);
  in.blob(p.backPicture);
  in.blob(p.icon);
  in.blob(p.backMusic);
  in.text(p.caption);
  in.text(p.helpFile);

  if (!in.ok()) return std::nullopt;
  return p;
}

Bytes writeWindowProperties(const WindowProperties& p) {
  PropertyWriter out;
  out.u32(kNewestWindowPropertiesVersion)
      .u32(p.border)
      .u32(p.pictureMode)
      .u32(p.backColour)
      .u32(p.maximiseBox)
      .u32(p.minimiseBox)
      .u32(p.controlBox)
      .u32(p.position)
      .u32(p.movable)
      .u32(p.musicPlayMode)
      .u32(p.enterMovesFocus)
      .u32(p.escCloses)
      .u32(p.f1OpensHelp)
      .u32(p.helpContext)
      .u32(p.showInTaskbar)
      .u32(p.dragAnywhere)
      .u32(p.shape)
      .u32(p.alwaysOnTop)
      .u32(p.keepCaptionActive)
      .text(p.className)
      .blob(p.backPicture)
      .blob(p.icon)
      .blob(p.backMusic)
      .text(p.caption)
      .text(p.helpFile);
  return std::move(out).bytes();
}

WindowStyle composeWindowStyle(const WindowProperties& p, std::uint32_t stateBits) {
  WindowStyle s;
  // Clipping the children keeps the background fill off the controls.
  s.style = stateBits | WindowStyleBit::clipChildren;

  if (p.border != 0) {
    if (!p.caption.empty() || p.controlBox) {
      s.style |= WindowStyleBit::caption;
      if (p.controlBox) s.style |= WindowStyleBit::systemMenu;
    }
    s.style |= WindowStyleBit::dialogFrame;
  }
  switch (p.border) {
    case 1:
      s.style |= WindowStyleBit::thickFrame;
      break;
    case 3:
      s.style |= WindowStyleBit::thickFrame;
      s.exStyle |= WindowExStyleBit::toolWindow;
      break;
    case 4:
      s.exStyle |= WindowExStyleBit::toolWindow;
      break;
    case 5:
      s.style |= WindowStyleBit::thickFrame;
      s.exStyle |= WindowExStyleBit::clientEdge;
      break;
    case 6:
      s.exStyle |= WindowExStyleBit::clientEdge;
      break;
    default:
      break;  // 0, 2 and values out of range add nothing more
  }
  if (p.maximiseBox) s.style |= WindowStyleBit::maximiseBox;
  if (p.minimiseBox) s.style |= WindowStyleBit::minimiseBox;
  return s;
}

}  // namespace vtg::controls
