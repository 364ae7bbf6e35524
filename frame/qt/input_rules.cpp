#include "frame/qt/input_rules.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

namespace frame {
namespace {

bool IsNumericCharacter(QChar c) {
  return c == u'-' || (c >= u'0' && c <= u'9');
}

}  // namespace

InputRules InputRules::Of(const ControlDefinition& control) {
  return InputRules{
      .single_line = control.kind != ControlKind::kRichEdit && !control.multi_line,
      .numeric = control.input_mode == InputMode::kNumeric,
      .max_length = control.max_length,
  };
}

QString InputRules::Accept(const QString& arriving, qsizetype kept) const {
  QStringView text = arriving;
  if (single_line) {
    auto line_break =
        std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
    text.truncate(line_break - text.begin());
  }
  QString accepted;
  qsizetype room = max_length > 0 ? std::max<qsizetype>(0, max_length - kept) : text.size();
  for (qsizetype i = 0; i < text.size() && room > 0; ++i) {
    QChar c = text[i];
    if (c.isLowSurrogate()) continue;  // taken with its high half
    if (numeric && !IsNumericCharacter(c)) continue;
    --room;
    accepted += c;
    if (c.isHighSurrogate() && i + 1 < text.size()) accepted += text[i + 1];
  }
  return accepted;
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
  QString accepted = rules.Accept(event.commitString(), kept);
  if (accepted == event.commitString()) return nullptr;
  auto held = std::make_unique<QInputMethodEvent>(event.preeditString(), event.attributes());
  held->setCommitString(accepted, event.replacementStart(), event.replacementLength());
  return held;
}

qsizetype CharacterCount(const QString& text) {
  return std::count_if(text.begin(), text.end(), [](QChar c) { return !c.isLowSurrogate(); });
}

}  // namespace frame
