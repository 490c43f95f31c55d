#pragma once
// A decoded picture held as a QImage: JPEG and BMP pixels (8-bit red, green, blue), a PCX
// palette or two-colour picture, the chosen image of an icon or cursor, a GIF's first frame.

#include <QImage>

#include "controls/picture/Picture.h"

namespace vtg::controls {

class RasterPicture : public DecodedPicture {
 public:
  RasterPicture(PictureFormat format, QImage pixels);

  QImage toImage() const override { return pixels_; }
  void draw(QPainter& painter, const QRect& target) const override;
  void keepTopLeft(int width, int height) override;

 protected:
  // The image in the form the screen takes without conversion; made once, on first use.
  const QImage& deviceImage() const;
  void setDeviceImage(QImage image) const { device_ = std::move(image); }

 private:
  QImage pixels_;
  mutable QImage device_;
};

// Copies `image` into `target` with a stretching copy: smooth when the display shows more
// than 16 bits per pixel, nearest-pixel otherwise.
void stretchImage(QPainter& painter, const QRect& target, const QImage& image);

// The largest picture any decoder makes, in bytes of 8-bit RGB (width x height x 3). A
// header can claim 65535 x 65535; nothing that big is allocated on its word.
inline constexpr long long kMaxPictureBytes = 3LL * 8192 * 8192;

constexpr bool pictureSizeAllowed(long long width, long long height) {
  return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
         width * height * 3 <= kMaxPictureBytes;
}

}  // namespace vtg::controls
