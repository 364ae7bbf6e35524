#include "frame/qt/control_widgets.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>

#include "frame/qt/control_content.h"
#include "frame/qt/control_look.h"
#include "frame/qt/desktop_widgets.h"
#include "frame/qt/edit_widgets.h"
#include "frame/qt/ip_address_edit.h"
#include "frame/qt/qt_text.h"
#include "frame/qt/tab_control.h"

namespace frame {
namespace {

QStringList ItemTexts(const ControlDefinition& control) {
  QStringList texts;
  for (std::string_view item : control.items)
    texts.append(FromDefinition(item));
  return texts;
}

QPlainTextEdit* CreateMultiLineEdit(const ControlDefinition& control, QWidget& parent) {
  auto* edit = new TextEdit(FromDefinition(control.text), InputRules::Of(control), &parent);
  edit->setTabChangesFocus(true);
  if (control.horizontal_scroll) {
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  } else {
    edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  }
  // An edit box shows the scroll bars it asks for at all times, a rich edit
  // only while its text needs them.
  Qt::ScrollBarPolicy asked =
      control.kind == ControlKind::kRichEdit ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOn;
  edit->setVerticalScrollBarPolicy(control.vertical_scroll ? asked : Qt::ScrollBarAlwaysOff);
  edit->setHorizontalScrollBarPolicy(control.horizontal_scroll ? asked : Qt::ScrollBarAlwaysOff);
  if (control.input_mode == InputMode::kReadOnly) {
    edit->setReadOnly(true);
    // The operator can still select and copy, with the mouse or the keys.
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  return edit;
}

QWidget* CreateEditBox(const ControlDefinition& control, QWidget& parent) {
  if (control.multi_line) return CreateMultiLineEdit(control, parent);
  auto* edit = new LineEdit(FromDefinition(control.text), InputRules::Of(control), &parent);
  edit->setReadOnly(control.input_mode == InputMode::kReadOnly);
  if (control.input_mode == InputMode::kPassword) edit->setEchoMode(QLineEdit::Password);
  return edit;
}

QWidget* CreateComboBox(const ControlDefinition& control, QWidget& parent) {
  auto* combo = new ComboBox(&parent);
  if (control.combo_style == ComboStyle::kDropDown) {
    combo->setLineEdit(new LineEdit(QString(), InputRules::Of(control), combo));
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    // Qt picks the item whose text was typed when Enter is pressed or the
    // text loses the focus; on Windows typing picks nothing.
    QObject::disconnect(combo->lineEdit(), &QLineEdit::returnPressed, combo, nullptr);
    QObject::disconnect(combo->lineEdit(), &QLineEdit::editingFinished, combo, nullptr);
  }
  for (const QString& item : ItemTexts(control))
    AddComboItem(*combo, item, 0);
  if (combo->isEditable()) combo->setEditText(FromDefinition(control.text));
  return combo;
}

QWidget* CreateLabel(const ControlDefinition& control, QWidget& parent) {
  auto* label = new QLabel(&parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(FromDefinition(control.text));
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

// Captions were laid out for Windows fonts and some are a few pixels wider
// than their label; a slightly smaller font shows them whole.
void ShrinkFontToFit(QLabel& label) {
  constexpr int kSmallestPixelSize = 9;
  QStringList lines = label.text().split(u'\n');
  QFont font = label.font();
  int pixel_size = QFontInfo(font).pixelSize();
  auto widest = [&] {
    QFontMetrics metrics(font);
    int width = 0;
    for (const QString& line : lines)
      width = std::max(width, metrics.horizontalAdvance(line));
    return width;
  };
  bool shrunk = false;
  while (pixel_size > kSmallestPixelSize && widest() > label.width()) {
    font.setPixelSize(--pixel_size);
    shrunk = true;
  }
  if (shrunk) label.setFont(font);
}

QWidget* CreateWidgetOfKind(const ControlDefinition& control, QWidget& parent) {
  switch (control.kind) {
    case ControlKind::kEditBox:
      return CreateEditBox(control, parent);
    case ControlKind::kRichEdit:
      return CreateMultiLineEdit(control, parent);
    case ControlKind::kLabel:
      return CreateLabel(control, parent);
    case ControlKind::kButton: {
      auto* button = new PushButton(FromDefinition(control.text), &parent);
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::kGroupBox:
      return new QGroupBox(FromDefinition(control.text), &parent);
    case ControlKind::kTab:
      return new TabControl(ItemTexts(control), &parent);
    case ControlKind::kComboBox:
      return CreateComboBox(control, parent);
    case ControlKind::kRadioBox: {
      auto* radio = new RadioButton(FromDefinition(control.text), &parent);
      SetRadioChecked(*radio, control.checked);
      return radio;
    }
    case ControlKind::kIPEditBox: {
      auto* address = new IpAddressEdit(&parent);
      address->SetAddress(FromDefinition(control.text));
      return address;
    }
    case ControlKind::kDBConnection:
    case ControlKind::kRecordSet:
      break;
  }
  return nullptr;
}

}  // namespace

QWidget* CreateControlWidget(const ControlDefinition& control, QWidget& parent) {
  QWidget* widget = CreateWidgetOfKind(control, parent);
  if (widget == nullptr) return nullptr;
  widget->setObjectName(FromDefinition(control.name));
  widget->setGeometry(control.rect.left, control.rect.top, control.rect.width, control.rect.height);
  if (control.font) widget->setFont(DefinitionFont(*control.font));
  if (auto* label = qobject_cast<QLabel*>(widget)) ShrinkFontToFit(*label);
  ApplyPalette(*widget, control, control.disabled);
  // Only tab stops take the focus from the Tab key; a click still gives it.
  QWidget* focus_taker = widget->focusProxy() != nullptr ? widget->focusProxy() : widget;
  if (!control.tab_stop && focus_taker->focusPolicy() != Qt::NoFocus) {
    focus_taker->setFocusPolicy(Qt::ClickFocus);
  }
  return widget;
}

}  // namespace frame
