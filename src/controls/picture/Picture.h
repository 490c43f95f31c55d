#pragma once
// The shared picture decoder: a stored picture file becomes a DecodedPicture, which any
// control draws into a rectangle. Labels, buttons and picture boxes all use it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include <QImage>

class QPainter;
class QRect;

namespace vtg::controls {

enum class PictureFormat { Jpeg, Bmp, Icon, Cursor, Gif, Pcx8, Pcx1 };

class DecodedPicture {
 public:
  virtual ~DecodedPicture();
  DecodedPicture(const DecodedPicture&) = delete;
  DecodedPicture& operator=(const DecodedPicture&) = delete;

  // How many decoded pictures there are now, for tests that check none outlives its use.
  static int live() { return live_; }

  PictureFormat format() const { return format_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The picture at its own size, for tests and for callers that need the pixels.
  virtual QImage toImage() const = 0;

  // Draws into `target`, scaling to it. The device image is made on the first draw and
  // kept, so repeated paints copy without converting.
  virtual void draw(QPainter& painter, const QRect& target) const = 0;

  // Animated pictures only (a GIF of more than one frame): starts playing and calls
  // `onFrame` whenever a new frame is due; draws then show the current frame. Returns
  // false, and does nothing, for a still picture.
  virtual bool startAnimation(std::function<void()> onFrame);

  // Lets go of everything right of `width` and below `height` pixels, for a picture that is
  // only ever shown at its own size from its top-left corner in an area of that size; the
  // picture then is that part, and width() and height() say so. An animated picture keeps
  // all of itself.
  virtual void keepTopLeft(int width, int height);

 protected:
  DecodedPicture(PictureFormat format, int width, int height)
      : format_(format), width_(width), height_(height) {
    ++live_;
  }
  void setSize(int width, int height) {
    width_ = width;
    height_ = height;
  }

 private:
  static inline std::atomic<int> live_{0};
  PictureFormat format_;
  int width_;
  int height_;
};

// Recognises the format by the first six bytes and decodes; nullptr for anything
// unrecognised or rejected.
std::unique_ptr<DecodedPicture> decodePicture(std::span<const std::uint8_t> bytes);

// Draws into (x, y, width, height), scaling to it; -1 for width or height means the
// picture's own.
void drawPicture(const DecodedPicture& picture, QPainter& painter, int x, int y, int width,
                 int height);

// Whether the picture is an icon or cursor (a button uses BS_ICON for those, BS_BITMAP
// otherwise).
bool isIconLike(const DecodedPicture& picture);

}  // namespace vtg::controls
