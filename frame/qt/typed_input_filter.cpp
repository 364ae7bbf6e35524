#include "frame/qt/typed_input_filter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

namespace frame {
namespace {

bool IsNumericCharacter(QChar c) {
  return c == u'-' || (c >= u'0' && c <= u'9');
}

bool HoldsControlCharacter(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

// The characters the box keeps when the typed text replaces its selection.
qsizetype KeptCharacters(QObject* edit) {
  if (auto* line = qobject_cast<QLineEdit*>(edit)) {
    return CharacterCount(line->text()) - CharacterCount(line->selectedText());
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
    return CharacterCount(plain->toPlainText()) -
           CharacterCount(plain->textCursor().selectedText());
  }
  return 0;
}

void Insert(QObject* edit, const QString& text) {
  if (text.isEmpty()) return;
  if (auto* line = qobject_cast<QLineEdit*>(edit)) line->insert(text);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) plain->insertPlainText(text);
}

}  // namespace

qsizetype CharacterCount(const QString& text) {
  return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

TypedInputFilter::TypedInputFilter(bool numeric, int max_length, QObject* parent)
    : QObject(parent), numeric_(numeric), max_length_(max_length) {}

QString TypedInputFilter::Accept(const QString& typed, qsizetype kept) const {
  QString accepted;
  qsizetype room = max_length_ > 0 ? std::max<qsizetype>(0, max_length_ - kept) : typed.size();
  for (qsizetype i = 0; i < typed.size(); ++i) {
    QChar c = typed[i];
    if (c.isLowSurrogate()) continue;  // taken with its high half
    if (numeric_ && !IsNumericCharacter(c)) continue;
    if (room == 0) break;
    --room;
    accepted += c;
    if (c.isHighSurrogate() && i + 1 < typed.size()) accepted += typed[i + 1];
  }
  return accepted;
}

bool TypedInputFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    QString typed =
        key->matches(QKeySequence::Paste) ? QGuiApplication::clipboard()->text() : key->text();
    // Keys that type nothing (moving, deleting, Enter) pass.
    if (typed.isEmpty() || HoldsControlCharacter(typed)) return false;
    QString accepted = Accept(typed, KeptCharacters(watched));
    if (accepted == typed && !key->matches(QKeySequence::Paste)) return false;
    Insert(watched, accepted);
    return true;
  }
  if (event->type() == QEvent::InputMethod) {
    auto* input = static_cast<QInputMethodEvent*>(event);
    QString accepted = Accept(input->commitString(), KeptCharacters(watched));
    if (accepted == input->commitString()) return false;
    QInputMethodEvent held(input->preeditString(), input->attributes());
    held.setCommitString(accepted, input->replacementStart(), input->replacementLength());
    QCoreApplication::sendEvent(watched, &held);
    return true;
  }
  return false;
}

void InstallTypedInputFilter(QWidget& edit, const ControlDefinition& control) {
  bool numeric = control.input_mode == InputMode::kNumeric;
  if (!numeric && control.max_length <= 0) return;
  edit.installEventFilter(new TypedInputFilter(numeric, control.max_length, &edit));
}

}  // namespace frame
