#include "frame/qt/desktop_widgets.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace frame {

namespace {

// The focus leaves for another window, a menu or a list and comes back to
// where it was.
bool IsPassing(Qt::FocusReason reason) {
  return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
         reason == Qt::MenuBarFocusReason;
}

bool IsOperatorsMove(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
         reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

void PushButton::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // A held key clicks once: each click may send a statement.
    if (!event->isAutoRepeat() && focused_by_operator_) click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void PushButton::mousePressEvent(QMouseEvent* event) {
  // A click into a window that is not active yet gives the focus without a
  // focus event of its own.
  if (window()->focusWidget() == this) focused_by_operator_ = true;
  QPushButton::mousePressEvent(event);
}

void PushButton::focusInEvent(QFocusEvent* event) {
  if (!IsPassing(event->reason())) focused_by_operator_ = IsOperatorsMove(event->reason());
  QPushButton::focusInEvent(event);
}

void PushButton::focusOutEvent(QFocusEvent* event) {
  if (!IsPassing(event->reason())) focused_by_operator_ = false;
  QPushButton::focusOutEvent(event);
}

void PushButton::changeEvent(QEvent* event) {
  // Disabled while its window is inactive, it loses the focus unannounced.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) focused_by_operator_ = false;
  QPushButton::changeEvent(event);
}

void ComboBox::showPopup() {
  // Setting it through the view also stops the view from making its first
  // item current when it takes the focus.
  if (currentIndex() < 0) view()->setCurrentIndex(QModelIndex());
  QComboBox::showPopup();
}

}  // namespace frame
