#include "frame/qt/edit_widgets.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace frame {

LineEdit::LineEdit(const QString& text, InputRules rules, QWidget* parent)
    : QLineEdit(text, parent), rules_(rules) {}

qsizetype LineEdit::KeptCharacters() const {
  return CharacterCount(text()) - CharacterCount(selectedText());
}

void LineEdit::Paste(QClipboard::Mode mode) {
  std::optional<QString> accepted =
      rules_.AcceptInserted(QGuiApplication::clipboard()->text(mode), KeptCharacters());
  if (!accepted) {
    SoundRefusal();
  } else if (!accepted->isEmpty()) {
    insert(*accepted);
  }
}

void LineEdit::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly()) {
    if (event->matches(QKeySequence::Paste)) {
      Paste(QClipboard::Clipboard);
      event->accept();
      return;
    }
    if (std::optional<QString> held = rules_.HeldKey(*event, KeptCharacters())) {
      if (!held->isEmpty()) insert(*held);
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void LineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (std::unique_ptr<QInputMethodEvent> held = HeldCommit(*event, rules_, KeptCharacters())) {
    QLineEdit::inputMethodEvent(held.get());
  } else {
    QLineEdit::inputMethodEvent(event);
  }
}

void LineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The menu's own Paste would take the clipboard as it is. Qt connects it by
  // name (6.4) or by member pointer.
  for (QAction* action : menu->actions()) {
    if (QObject::disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
        QObject::disconnect(action, &QAction::triggered, this, &QLineEdit::paste)) {
      connect(action, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
    }
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void LineEdit::dropEvent(QDropEvent* event) {
  if (isReadOnly() || !event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  // A drop goes in at the pointer and replaces nothing, except the text
  // that a move within the box takes away.
  qsizetype kept = CharacterCount(text());
  if (event->source() == this && event->dropAction() == Qt::MoveAction) {
    kept -= CharacterCount(selectedText());
  }
  std::optional<QString> accepted = rules_.AcceptInserted(event->mimeData()->text(), kept);
  if (!accepted) {
    // Refused whole: the drag's source keeps what it would have moved.
    SoundRefusal();
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
    return;
  }
  QMimeData held;
  held.setText(*accepted);
  QDropEvent copy(event->position(), event->possibleActions(), &held, event->buttons(),
                  event->modifiers());
  copy.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&copy);
  event->setDropAction(copy.dropAction());
  event->setAccepted(copy.isAccepted());
}

void LineEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection()) {
    deselect();
    Paste(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

TextEdit::TextEdit(const QString& text, InputRules rules, QWidget* parent)
    : QPlainTextEdit(text, parent), rules_(rules) {}

qsizetype TextEdit::KeptCharacters() const {
  return CharacterCount(toPlainText()) - CharacterCount(textCursor().selectedText());
}

void TextEdit::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly()) {
    if (std::optional<QString> held = rules_.HeldKey(*event, KeptCharacters())) {
      if (!held->isEmpty()) insertPlainText(*held);
      event->accept();
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TextEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (std::unique_ptr<QInputMethodEvent> held = HeldCommit(*event, rules_, KeptCharacters())) {
    QPlainTextEdit::inputMethodEvent(held.get());
  } else {
    QPlainTextEdit::inputMethodEvent(event);
  }
}

void TextEdit::dropEvent(QDropEvent* event) {
  if (isReadOnly() || !event->mimeData()->hasText() ||
      rules_.AcceptInserted(event->mimeData()->text(), 0).has_value()) {
    QPlainTextEdit::dropEvent(event);
    return;
  }
  // Refused whole, before a move within the box takes its text away.
  SoundRefusal();
  QDragLeaveEvent leave;
  QPlainTextEdit::dragLeaveEvent(&leave);
  event->setDropAction(Qt::IgnoreAction);
  event->ignore();
}

void TextEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  std::optional<QString> accepted = rules_.AcceptInserted(source->text(), KeptCharacters());
  if (!accepted) {
    SoundRefusal();
    return;
  }
  if (accepted->isEmpty()) return;
  insertPlainText(*accepted);
  ensureCursorVisible();
}

}  // namespace frame
