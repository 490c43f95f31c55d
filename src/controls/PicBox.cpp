#include "controls/PicBox.h"

#include <algorithm>

#include <QPainter>
#include <QPaintEvent>

#include "controls/Frames.h"
#include "controls/TopWindow.h"
#include "platform/Colours.h"

namespace vtg::controls {

std::optional<PicBoxProperties> readPicBoxProperties(std::span<const std::uint8_t> block) {
  PicBoxProperties p;
  if (block.empty()) return p;
  PropertyReader in(block);
  std::uint32_t version = 0;
  std::uint32_t playAnimation = 1;
  if (!in.u32(version) || version > 2) return std::nullopt;
  in.i32(p.border);
  in.u32(p.backColour);
  in.i32(p.displayMode);
  in.u32(playAnimation);
  in.blob(p.picture);
  if (version == 2) {
    in.text(p.dataSource);
    in.text(p.dataColumn);
  }
  if (!in.ok()) return std::nullopt;
  p.playAnimation = playAnimation != 0;
  return p;
}

PictureTarget pictureTargetRect(std::int32_t displayMode, int clientW, int clientH, int picW,
                                int picH) {
  switch (static_cast<PictureDisplayMode>(displayMode)) {
    case PictureDisplayMode::stretch:
      return {0, 0, clientW, clientH};
    case PictureDisplayMode::centreFit: {
      // Centred at natural size in each direction it fits; if it still does not fit, shrunk
      // keeping its proportions into the room left, and centred in that room.
      PictureTarget t{0, 0, clientW, clientH};
      if (picW <= clientW) {
        t.x = (clientW - picW) / 2;
        t.width = picW;
      }
      if (picH <= clientH) {
        t.y = (clientH - picH) / 2;
        t.height = picH;
      }
      if ((picW > t.width || picH > t.height) && picW > 0 && picH > 0) {
        const double r = std::min(double(t.width) / picW, double(t.height) / picH);
        const int newW = static_cast<int>(picW * r);
        const int newH = static_cast<int>(picH * r);
        t.x += (t.width - newW) / 2;
        t.y += (t.height - newH) / 2;
        t.width = newW;
        t.height = newH;
        return t;
      }
      return {t.x, t.y, picW, picH};
    }
    case PictureDisplayMode::topLeft:
    default:
      return {0, 0, picW, picH};
  }
}

PicBox* PicBox::create(const ControlCreateArgs& args) {
  std::optional<PicBoxProperties> properties = readPicBoxProperties(args.ownData);
  if (!properties) return nullptr;
  return new PicBox(args, std::move(*properties));
}

PicBox::PicBox(const ControlCreateArgs& args, PicBoxProperties properties)
    : QWidget(args.window), ControlUnit(args), properties_(std::move(properties)) {
  // The box paints every pixel of itself, background included, on every paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(args.left, args.top, args.width, args.height);
  setEnabled(!(args.stateBits & StateBit::disabled));

  animationSwitch_ = properties_.playAnimation;
  // The background colour is resolved at each paint, so the button face follows the theme.
  picture_ = decodePicture(properties_.picture);
  // Once decoded, the file's bytes are no longer needed (an animation keeps its own copy);
  // a window of photographs would otherwise hold every file twice. Bytes that did not
  // decode stay, as they were given.
  if (picture_) Bytes().swap(properties_.picture);
  if (picture_ && animationSwitch_) picture_->startAnimation([this] { update(); });
  update();

  // Only modes 1 and 2 change the new box's topLeft placement.
  if (properties_.displayMode == 1 || properties_.displayMode == 2) {
    displayMode_ = properties_.displayMode;
    update();
  }
  border_ = properties_.border;

  // At its own size from the top-left corner, only the part of the picture that the client
  // area covers can ever show (a box keeps its size); a photograph larger than its box
  // would otherwise keep its hidden part in memory for as long as the window is open.
  if (picture_ && displayMode_ == std::int32_t(PictureDisplayMode::topLeft)) {
    const QRect client = clientArea();
    picture_->keepTopLeft(client.width(), client.height());
  }
}

PicBox::~PicBox() = default;

QRect PicBox::clientArea() const { return clientRectFor(rect(), std::uint32_t(border_)); }

void PicBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int frame = frameThickness(std::uint32_t(border_));
  if (width() < 2 * frame || height() < 2 * frame) {
    // Too small for its edge: all of it is edge, in the face colour of the edge.
    painter.fillRect(rect(), platform::buttonFaceColour());
    return;
  }
  const QRect client = drawClassicFrame(painter, rect(), std::uint32_t(border_), palette());
  if (client.isEmpty()) return;
  // A picture that reaches beyond the client area is cut off at its edge.
  painter.setClipRect(client, Qt::IntersectClip);
  painter.fillRect(client, platform::backgroundColour(properties_.backColour));
  if (!picture_) return;
  const PictureTarget t = pictureTargetRect(displayMode_, client.width(), client.height(),
                                            picture_->width(), picture_->height());
  drawPicture(*picture_, painter, client.x() + t.x, client.y() + t.y, t.width, t.height);
}

}  // namespace vtg::controls
