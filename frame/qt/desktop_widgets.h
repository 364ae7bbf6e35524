// Buttons and lists with the habits of the programs' home platform.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

namespace frame {

// A focused button takes Enter (either key) as a click, as it takes Space,
// when the operator gave it the focus himself: with the mouse or the Tab
// keys. The focus that a handler or the window puts on it takes no Enter, so
// that a stray one never sends a statement.
class PushButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool focused_by_operator_ = false;
};

// Takes a click anywhere in its rectangle, not only on its circle and caption.
class RadioButton final : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

// A list opened while nothing is selected highlights no item, so that Enter
// on it picks nothing. The list opens below the box (see the frame's style).
class ComboBox final : public QComboBox {
 public:
  using QComboBox::QComboBox;

  void showPopup() override;
};

}  // namespace frame
