#pragma once
// The `PicBox` kind: a child control that fills its client area with a background colour
// and draws one stored picture into it, inside an optional classic frame.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include <QWidget>

#include "controls/ControlUnit.h"
#include "controls/picture/Picture.h"
#include "forms/PropertyStream.h"

namespace vtg::controls {

enum class PictureDisplayMode : std::int32_t { topLeft, stretch, centreFit };

// The kind's own settings, in property index order. Stored order differs: version,
// border, backColour, displayMode, playAnimation, picture, then (version 2) dataSource and
// dataColumn.
struct PicBoxProperties {
  std::int32_t border = 0;
  std::uint32_t backColour = 0xFF000000;
  Bytes picture;
  std::int32_t displayMode = 0;
  bool playAnimation = true;
  std::string dataSource;  // GBK
  std::string dataColumn;  // GBK
};

// Reads a property block; nothing when its version is above 2 or it ends inside a field.
// An empty block gives the defaults. `border` takes the values of the classic edges
// (controls/Frames.h): 0 none, 1 sunken, 2 raised, 3 thin sunken, 4 framed, 5 single line.
std::optional<PicBoxProperties> readPicBoxProperties(std::span<const std::uint8_t> block);

struct PictureTarget {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PictureTarget&) const = default;
};

// Where a picture of picW x picH goes in a client area of clientW x clientH. A mode
// outside 0..2 places it as topLeft does.
PictureTarget pictureTargetRect(std::int32_t displayMode, int clientW, int clientH, int picW,
                                int picH);

class PicBox : public QWidget, public ControlUnit {
  Q_OBJECT

 public:
  static PicBox* create(const ControlCreateArgs& args);
  ~PicBox() override;
  QWidget* widget() override { return this; }

  // The settings as read, except that `picture` is emptied once it has been decoded.
  const PicBoxProperties& properties() const { return properties_; }
  const DecodedPicture* picture() const { return picture_.get(); }
  // The area inside the frame, where the background and the picture are drawn.
  QRect clientArea() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PicBox(const ControlCreateArgs& args, PicBoxProperties properties);

  PicBoxProperties properties_;
  bool animationSwitch_ = true;
  std::unique_ptr<DecodedPicture> picture_;
  std::int32_t displayMode_ = 0;
  std::int32_t border_ = 0;
};

}  // namespace vtg::controls
