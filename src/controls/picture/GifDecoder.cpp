// GIF through Qt's reader. The first frame is decoded at once; an animated GIF keeps its
// file so that a box whose animation switch is on can play it with a QMovie.

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QMovie>

#include "controls/picture/Decoders.h"
#include "controls/picture/RasterPicture.h"

namespace vtg::controls {

namespace {

class GifPicture : public RasterPicture {
 public:
  GifPicture(QImage firstFrame, QByteArray file, bool animated)
      : RasterPicture(PictureFormat::Gif, std::move(firstFrame)),
        file_(std::move(file)),
        animated_(animated) {}

  bool startAnimation(std::function<void()> onFrame) override {
    if (!animated_ || movie_) return false;
    device_.setData(file_);
    device_.open(QIODevice::ReadOnly);
    movie_ = std::make_unique<QMovie>(&device_, "gif");
    // Each frame is converted once, when it becomes current, not at every paint.
    QObject::connect(movie_.get(), &QMovie::frameChanged, movie_.get(),
                     [this, onFrame = std::move(onFrame)](int) {
                       const QImage frame = movie_->currentImage();
                       setDeviceImage(frame.convertToFormat(QImage::Format_ARGB32_Premultiplied));
                       if (onFrame) onFrame();
                     });
    movie_->start();
    return true;
  }

  // Every frame of an animation is drawn at the picture's full size, so it keeps all of it.
  void keepTopLeft(int width, int height) override {
    if (!animated_) RasterPicture::keepTopLeft(width, height);
  }

 private:
  QByteArray file_;
  bool animated_;
  QBuffer device_;
  std::unique_ptr<QMovie> movie_;  // declared last: stops before the device goes
};

}  // namespace

std::unique_ptr<DecodedPicture> decodeGif(PictureBytes bytes) {
  QByteArray file(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer device(&file);
  if (!device.open(QIODevice::ReadOnly)) return nullptr;
  QImageReader reader(&device, "gif");
  if (!pictureSizeAllowed(reader.size().width(), reader.size().height())) return nullptr;
  const bool animated = reader.supportsAnimation() && reader.imageCount() != 1;
  QImage first = reader.read();
  if (first.isNull()) return nullptr;
  device.close();
  return std::make_unique<GifPicture>(std::move(first), std::move(file), animated);
}

}  // namespace vtg::controls
