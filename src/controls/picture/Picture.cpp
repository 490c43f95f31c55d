#include "controls/picture/Picture.h"

#include <QPainter>
#include <QRect>

namespace vtg::controls {

DecodedPicture::~DecodedPicture() = default;

bool DecodedPicture::startAnimation(std::function<void()>) { return false; }

std::unique_ptr<DecodedPicture> decodePicture(std::span<const std::uint8_t>) { return nullptr; }

void drawPicture(const DecodedPicture& picture, QPainter& painter, int x, int y, int width,
                 int height) {
  if (width == -1) width = picture.width();
  if (height == -1) height = picture.height();
  picture.draw(painter, QRect(x, y, width, height));
}

bool isIconLike(const DecodedPicture& picture) {
  return picture.format() == PictureFormat::Icon || picture.format() == PictureFormat::Cursor;
}

}  // namespace vtg::controls
