#include "tests/frame/qt/qt_window_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "frame/qt/input_rules.h"
#include "frame/qt/ip_address_edit.h"
#include "frame/qt/tab_control.h"
#include "frame/window/ip_address_rules.h"

namespace window_contract {
namespace {

int refusals = 0;
void CountRefusal() {
  ++refusals;
}

QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool IsInside(const QWidget& outer, const QWidget* inner) {
  return inner != nullptr && (inner == &outer || outer.isAncestorOf(inner));
}

// A widget the operator types into, read-only or not.
bool IsTextBox(const QWidget& widget) {
  if (auto* combo = qobject_cast<const QComboBox*>(&widget)) return combo->isEditable();
  return qobject_cast<const QLineEdit*>(&widget) != nullptr ||
         qobject_cast<const QPlainTextEdit*>(&widget) != nullptr;
}

bool IsReadOnly(const QWidget& box) {
  if (auto* line = qobject_cast<const QLineEdit*>(&box)) return line->isReadOnly();
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(&box)) return plain->isReadOnly();
  return false;
}

void PutCaretAtEnd(QWidget& box) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) line->end(false);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(&box)) plain->moveCursor(QTextCursor::End);
}

void PressKey(QWidget& focus, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(&focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(&focus, &release);
}

// One key per character, each to where the focus is now; Enter types "\r".
void TypeKeys(QWidget& window, const QString& text) {
  for (QChar c : text) {
    QWidget* focus = window.focusWidget();
    if (focus == nullptr) return;
    if (c == u'\n') {
      PressKey(*focus, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    } else {
      PressKey(*focus, c.unicode() < 0x80 ? c.toUpper().unicode() : 0, Qt::NoModifier, QString(c));
    }
  }
}

// What the mouse meets in the middle of a box: a scrolling box's viewport,
// an editable combo's text field.
QWidget& MouseTarget(QWidget& box) {
  QWidget* under = box.childAt(box.rect().center());
  return under != nullptr ? *under : box;
}

void ChooseMenuPaste(QWidget& target) {
  QPoint at = target.rect().center();
  QContextMenuEvent open(QContextMenuEvent::Mouse, at, target.mapToGlobal(at));
  QCoreApplication::sendEvent(&target, &open);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return;
  for (QAction* action : menu->actions()) {
    if (action->text().startsWith(QStringLiteral("&Paste"))) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    }
  }
  menu->hide();
}

void Drop(QWidget& target, const QString& text) {
  // At the right end: after the box's text.
  QPoint at(target.width() - 2, target.height() - 2);
  QMimeData dragged;
  dragged.setText(text);
  QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &enter);
  QDragMoveEvent move(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &move);
  QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &drop);
}

QMessageBox::StandardButton StandardButtonOf(frame::MessageBoxButton answer) {
  switch (answer) {
    case frame::MessageBoxButton::kOk:
      return QMessageBox::Ok;
    case frame::MessageBoxButton::kCancel:
      return QMessageBox::Cancel;
    case frame::MessageBoxButton::kAbort:
      return QMessageBox::Abort;
    case frame::MessageBoxButton::kRetry:
      return QMessageBox::Retry;
    case frame::MessageBoxButton::kIgnore:
      return QMessageBox::Ignore;
    case frame::MessageBoxButton::kYes:
      return QMessageBox::Yes;
    case frame::MessageBoxButton::kNo:
      return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

}  // namespace

QtWindowDriver::QtWindowDriver() {
  refusals = 0;
  frame::SetRefusalSound(&CountRefusal);
}

QtWindowDriver::~QtWindowDriver() {
  program_.reset();
  frame::SetRefusalSound(nullptr);
}

bool QtWindowDriver::Start(const frame::Program& program) {
  program_.emplace(program);
  return program_->Start();
}

void QtWindowDriver::ProcessEvents() {
  program_->ProcessEvents();
}

bool QtWindowDriver::Click(ControlId control) {
  if (!program_->window().isVisible()) return false;
  bool usable = IsUsable(control);
  program_->Click(control);
  return usable;
}

QWidget* QtWindowDriver::FocusTextBox(ControlId control) {
  QWidget* box = program_->window_system().ControlWidget(control);
  if (box == nullptr || !IsTextBox(*box) || !IsUsable(control)) return nullptr;
  program_->Click(control);
  QWidget* focus = program_->window().focusWidget();
  if (!IsInside(*box, focus)) return nullptr;
  PutCaretAtEnd(*focus);
  return focus;
}

bool QtWindowDriver::Type(ControlId control, std::string_view utf8) {
  QWidget* focus = FocusTextBox(control);
  if (focus == nullptr) return false;
  TypeKeys(program_->window(), Q(utf8));
  program_->ProcessEvents();
  return !IsReadOnly(*focus);
}

bool QtWindowDriver::Insert(ControlId control, InsertPath path, std::string_view utf8) {
  QWidget* focus = FocusTextBox(control);
  if (focus == nullptr) return false;
  const QString text = Q(utf8);
  QWidget& target = MouseTarget(*focus);
  switch (path) {
    case InsertPath::kKeyboardPaste:
      QGuiApplication::clipboard()->setText(text);
      PressKey(*focus, Qt::Key_V, Qt::ControlModifier, QString());
      break;
    case InsertPath::kMenuPaste:
      QGuiApplication::clipboard()->setText(text);
      ChooseMenuPaste(target);
      break;
    case InsertPath::kDrop:
      Drop(target, text);
      break;
    case InsertPath::kInputMethod: {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QCoreApplication::sendEvent(focus, &commit);
      break;
    }
  }
  program_->ProcessEvents();
  return !IsReadOnly(*focus);
}

bool QtWindowDriver::PickComboItem(ControlId control, int index) {
  auto* combo = qobject_cast<QComboBox*>(program_->window_system().ControlWidget(control));
  // An item that is not there cannot be clicked.
  if (combo == nullptr || index < 0 || index >= combo->count() || !IsUsable(control)) {
    return false;
  }
  return program_->PickComboItem(control, index);
}

bool QtWindowDriver::ChooseMenuItem(ControlId item) {
  QAction* action = program_->window_system().MenuAction(item);
  auto* menu = action != nullptr ? qobject_cast<QMenu*>(action->parent()) : nullptr;
  if (menu == nullptr || menu->menuAction() == action) return false;
  bool usable = IsUsable(item);
  return program_->ChooseMenuItem(item) && usable;
}

bool QtWindowDriver::SelectTabPage(ControlId tab, int page) {
  auto* tabs = dynamic_cast<frame::TabControl*>(program_->window_system().ControlWidget(tab));
  if (tabs == nullptr || page < 0 || page >= tabs->Strip()->count()) return false;
  bool usable = IsUsable(tab);
  program_->SelectTabPage(tab, page);
  return usable && tabs->CurrentPage() == page;
}

bool QtWindowDriver::TypeIntoAddressField(ControlId control, int field, std::string_view keys) {
  auto* address =
      dynamic_cast<frame::IpAddressEdit*>(program_->window_system().ControlWidget(control));
  if (address == nullptr || field < 0 || field > 3 || !IsUsable(control)) return false;
  return program_->TypeInto(*address->Field(field), Q(keys));
}

bool QtWindowDriver::EnterIpAddress(ControlId control, std::string_view dotted) {
  auto* address =
      dynamic_cast<frame::IpAddressEdit*>(program_->window_system().ControlWidget(control));
  if (address == nullptr || !IsUsable(control) || !frame::ParseEnteredIpAddress(dotted)) {
    return false;
  }
  QStringList fields = Q(dotted).split(u'.');
  for (int i = 0; i < 4; ++i) {
    // Clicked into, emptied, then typed.
    if (!program_->TypeInto(*address->Field(i), QString())) return false;
    QWidget& focus = *program_->window().focusWidget();
    PressKey(focus, Qt::Key_A, Qt::ControlModifier, QString());
    PressKey(focus, Qt::Key_Delete, Qt::NoModifier, QString());
    TypeKeys(program_->window(), i < fields.size() ? fields[i] : QString());
  }
  program_->ProcessEvents();
  return true;
}

int QtWindowDriver::CloseWindowInLoop() {
  QTimer::singleShot(0, [this] { program_->CloseWindow(); });
  return program_->window_system().RunMessageLoop();
}

void QtWindowDriver::AnswerNextMessageBox(frame::MessageBoxButton answer) {
  program_->AnswerNextMessageBox(StandardButtonOf(answer));
}

bool QtWindowDriver::IsUsable(ControlId control) {
  frame::QtWindowSystem& system = program_->window_system();
  if (frame::IsMenuItem(control)) {
    QAction* action = system.MenuAction(control);
    auto* menu = action != nullptr ? qobject_cast<QMenu*>(action->parent()) : nullptr;
    return action != nullptr && action->isEnabled() &&
           (menu == nullptr || menu->menuAction()->isEnabled());
  }
  QWidget* widget = system.ControlWidget(control);
  return widget != nullptr && widget->isEnabled() && widget->isVisible();
}

std::string QtWindowDriver::Title() {
  return program_->window().windowTitle().toStdString();
}

std::string QtWindowDriver::ShownText(ControlId control) {
  QWidget& widget = program_->widget(control);
  if (auto* line = qobject_cast<QLineEdit*>(&widget)) return line->displayText().toStdString();
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) return combo->currentText().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) return button->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(&widget)) return label->text().toStdString();
  if (auto* address = dynamic_cast<frame::IpAddressEdit*>(&widget)) {
    return address->Address().toStdString();
  }
  if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
    return plain->toPlainText().toStdString();
  }
  return {};
}

std::vector<std::string> QtWindowDriver::ComboItems(ControlId control) {
  auto& combo = program_->widget<QComboBox>(control);
  std::vector<std::string> items;
  for (int i = 0; i < combo.count(); ++i)
    items.push_back(combo.itemText(i).toStdString());
  return items;
}

bool QtWindowDriver::HasFocus(ControlId control) {
  return IsInside(program_->widget(control), program_->window().focusWidget());
}

bool QtWindowDriver::IsWindowOpen() {
  return program_->window().isVisible();
}

size_t QtWindowDriver::OpenMessageBoxCount() {
  return program_->OpenMessageBoxes().size();
}

int QtWindowDriver::Refusals() {
  return refusals;
}

}  // namespace window_contract
