#include "frame/qt/input_rules.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

namespace frame {
namespace {

bool IsLineBreak(QChar c) {
  return c == u'\r' || c == u'\n';
}

void (*refusal_sound)() = nullptr;

}  // namespace

InputRules InputRules::Of(const ControlDefinition& control) {
  return InputRules{
      .single_line = control.kind != ControlKind::kRichEdit && !control.multi_line,
      .numeric = control.input_mode == InputMode::kNumeric,
      .max_length = control.max_length,
  };
}

// Enter types a line break into a multi-line box, whatever its mode.
bool InputRules::Takes(QChar c) const {
  if (IsLineBreak(c)) return !single_line;
  return !numeric || c == u'-' || (c >= u'0' && c <= u'9');
}

QString InputRules::CutToRoom(QStringView text, qsizetype kept) const {
  QString accepted;
  qsizetype room = max_length > 0 ? std::max<qsizetype>(0, max_length - kept) : text.size();
  for (qsizetype i = 0; i < text.size() && room > 0; ++i) {
    QChar c = text[i];
    if (c.isLowSurrogate()) continue;  // taken with its high half
    --room;
    accepted += c;
    if (c.isHighSurrogate() && i + 1 < text.size()) accepted += text[i + 1];
  }
  return accepted;
}

QString InputRules::AcceptTyped(const QString& typed, qsizetype kept) const {
  QString taken;
  for (QChar c : typed) {
    if (Takes(c)) taken += c;
  }
  return CutToRoom(taken, kept);
}

std::optional<QString> InputRules::AcceptInserted(const QString& arriving, qsizetype kept) const {
  QStringView text = arriving;
  if (single_line)
    text.truncate(std::find_if(text.begin(), text.end(), IsLineBreak) - text.begin());
  if (!std::all_of(text.begin(), text.end(), [&](QChar c) { return Takes(c); })) {
    return std::nullopt;
  }
  return CutToRoom(text, kept);
}

std::optional<QString> TypedText(const QKeyEvent& event) {
  constexpr Qt::KeyboardModifiers kCommandModifiers =
      Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  const QString text = event.text();
  if (text.isEmpty() || !text.front().isPrint() || (event.modifiers() & kCommandModifiers)) {
    return std::nullopt;
  }
  return text;
}

std::unique_ptr<QInputMethodEvent> HeldCommit(const QInputMethodEvent& event,
                                              const InputRules& rules, qsizetype kept) {
  std::optional<QString> accepted = rules.AcceptInserted(event.commitString(), kept);
  if (!accepted) SoundRefusal();
  QString commit = accepted.value_or(QString());
  if (commit == event.commitString()) return nullptr;
  auto held = std::make_unique<QInputMethodEvent>(event.preeditString(), event.attributes());
  held->setCommitString(commit, event.replacementStart(), event.replacementLength());
  return held;
}

void SoundRefusal() {
  if (refusal_sound != nullptr) {
    refusal_sound();
  } else {
    QApplication::beep();
  }
}

void SetRefusalSound(void (*sound)()) {
  refusal_sound = sound;
}

qsizetype CharacterCount(const QString& text) {
  return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

}  // namespace frame
