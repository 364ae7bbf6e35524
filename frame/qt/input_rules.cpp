#include "frame/qt/input_rules.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace frame {
namespace {

std::u16string_view View(const QString& text) {
  return {QStringView(text).utf16(), static_cast<size_t>(text.size())};
}

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

void (*refusal_sound)() = nullptr;

}  // namespace

QString InputRules::AcceptTyped(const QString& typed, qsizetype kept) const {
  return FromView(rules.AcceptTyped(View(typed), static_cast<size_t>(kept)));
}

std::optional<QString> InputRules::HeldKey(const QKeyEvent& event, qsizetype kept) const {
  std::optional<QString> typed = TypedText(event);
  if (!typed) return std::nullopt;
  QString accepted = AcceptTyped(*typed, kept);
  if (accepted == *typed) return std::nullopt;
  return accepted;
}

std::optional<QString> InputRules::AcceptInserted(const QString& arriving, qsizetype kept) const {
  std::optional<std::u16string> accepted =
      rules.AcceptInserted(View(arriving), static_cast<size_t>(kept));
  if (!accepted) return std::nullopt;
  return FromView(*accepted);
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
  return static_cast<qsizetype>(frame::CharacterCount(View(text)));
}

}  // namespace frame
