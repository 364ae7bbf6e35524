#include "frame/qt/desktop_widgets.h"

#include <QAbstractItemView>
#include <QKeyEvent>

namespace frame {

void PushButton::keyPressEvent(QKeyEvent* event) {
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // A held key clicks once: each click may send a statement.
    if (!event->isAutoRepeat()) click();
    event->accept();
    return;
  }
  QPushButton::keyPressEvent(event);
}

void ComboBox::showPopup() {
  // Setting it through the view also stops the view from making its first
  // item current when it takes the focus.
  if (currentIndex() < 0) view()->setCurrentIndex(QModelIndex());
  QComboBox::showPopup();
}

}  // namespace frame
