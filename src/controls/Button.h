#pragma once
// The `Button` unit kind: the classic push button. It shows a caption (or a picture), is
// drawn raised and sunken while pressed by Qt's built-in "Windows" style, takes the focus,
// and reports a click as its event 0.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include <QAbstractButton>

#include "controls/ButtonProperties.h"
#include "controls/ControlUnit.h"
#include "platform/Fonts.h"
#include "platform/TextDraw.h"

namespace vtg::controls {

class DecodedPicture;

class Button : public QAbstractButton, public ControlUnit {
  Q_OBJECT

 public:
  // Makes the button, hidden; nothing when its property block cannot be read.
  static Button* create(const ControlCreateArgs& args);
  ~Button() override;

  QWidget* widget() override { return this; }
  bool canTakeFocus() const override { return true; }
  bool isDefaultPushButton() const override { return isDefaultPushButtonStyle(buttonStyle_); }
  std::string_view mnemonicText() const override { return props_.caption; }
  // A click reported by the window (Enter on a default button, an Alt mnemonic): event 0
  // without the button being drawn pressed.
  void fireClick() override;

  // The composed platform style the button's look and behaviour follow.
  std::uint32_t buttonStyle() const { return buttonStyle_; }
  const ButtonProperties& properties() const { return props_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  Button(const ControlCreateArgs& args, ButtonProperties props,
         std::unique_ptr<DecodedPicture> picture, std::uint32_t style);

  void drawCaption(QPainter& painter, const QRect& area, const QPalette& palette);
  void drawImage(QPainter& painter, const QRect& area);

  ButtonProperties props_;
  std::unique_ptr<DecodedPicture> picture_;  // only when it decoded
  std::uint32_t buttonStyle_ = 0;
  platform::HeldFont font_;
  // The caption laid out for the face's size, kept until the size or the font changes.
  std::optional<platform::TextLayout> captionLayout_;
  QSize captionLayoutSize_;
};

}  // namespace vtg::controls
