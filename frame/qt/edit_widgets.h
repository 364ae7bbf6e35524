// Edit boxes that hold every text arriving from the operator to the box's
// input rules: typed keys, keyboard and context-menu paste, drag and drop,
// the selection paste of the middle button, and input methods. A pasted,
// dropped or committed text that the rules refuse leaves the box as it was
// and makes the refusal sound.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "frame/qt/input_rules.h"

namespace frame {

class LineEdit final : public QLineEdit {
 public:
  LineEdit(const QString& text, InputRules rules, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // What the box keeps of its text when the arriving text replaces the selection.
  qsizetype KeptCharacters() const;
  void Paste(QClipboard::Mode mode);

  InputRules rules_;
};

class TextEdit final : public QPlainTextEdit {
 public:
  TextEdit(const QString& text, InputRules rules, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Every paste and drop arrives here.
  void insertFromMimeData(const QMimeData* source) override;

 private:
  qsizetype KeptCharacters() const;

  InputRules rules_;
};

}  // namespace frame
