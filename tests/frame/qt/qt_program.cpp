#include "tests/frame/qt/qt_program.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStyleHints>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include "frame/qt/tab_control.h"

namespace testing_support {
namespace {

int no_argc = 0;
char** no_argv = nullptr;

int KeyOf(QChar c) {
  if (c == u'\n') return Qt::Key_Return;
  return c.unicode() < 0x80 ? c.toUpper().unicode() : 0;
}

// The text a key types: Enter types "\r".
QString TextOf(QChar c) {
  return c == u'\n' ? QStringLiteral("\r") : QString(c);
}

}  // namespace

std::filesystem::path QtProgram::MakeDirectory() {
  static std::atomic<int> serial{0};
  std::filesystem::path directory =
      std::filesystem::temp_directory_path() /
      ("qt-program-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
  return directory;
}

QtProgram::QtProgram(const frame::Program& program, frame::ComponentFactory components)
    : previous_directory_(std::filesystem::current_path()),
      directory_(MakeDirectory()),
      program_(program),
      window_system_(no_argc, no_argv),
      runtime_(window_system_, frame::Runtime::Options{.program_file = directory_ / "program",
                                                       .end_process = false,
                                                       .make_component = std::move(components)}) {}

QtProgram::~QtProgram() {
  answerer_.reset();
  bool settled = Settle();
  for (int round = 0; round < 10 && !settled; ++round) {
    for (QMessageBox* box : OpenMessageBoxes())
      box->reject();
    settled = Settle();
  }
  if (!settled) {
    // Tearing down under a running worker would be undefined; stop loudly.
    std::fputs("QtProgram: a worker thread did not finish\n", stderr);
    std::abort();
  }
  std::error_code ignored;
  std::filesystem::current_path(previous_directory_, ignored);
  std::filesystem::remove_all(directory_, ignored);
}

bool QtProgram::Start() {
  return runtime_.Start(program_);
}

void QtProgram::ProcessEvents() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool QtProgram::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    ProcessEvents();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(2ms);
  }
}

bool QtProgram::Settle(std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return runtime_.active_workers() == 0; }, timeout);
}

QWidget& QtProgram::window() {
  return *window_system_.MainWindow();
}

QWidget& QtProgram::widget(frame::ControlId control) {
  QWidget* found = window_system_.ControlWidget(control);
  if (found == nullptr) throw std::runtime_error("no widget for the control");
  return *found;
}

// Through the window's own input path, as the platform delivers a click.
void QtProgram::ClickInWindow(QWidget& target, QPoint at) {
  QWidget* top = target.window();
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, target.mapTo(top, at));
  ProcessEvents();
}

void QtProgram::Click(frame::ControlId control) {
  QWidget& target = widget(control);
  ClickInWindow(target, target.rect().center());
}

QWidget* QtProgram::FocusByClick(QWidget& target) {
  ClickInWindow(target, target.rect().center());
  QWidget* focus = target.window()->focusWidget();
  bool inside = focus != nullptr && (focus == &target || target.isAncestorOf(focus));
  return inside && target.isVisible() ? focus : nullptr;
}

void QtProgram::PressKey(QWidget& focus, int key, Qt::KeyboardModifiers modifiers,
                         const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(&focus, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(&focus, &release);
}

bool QtProgram::Type(frame::ControlId control, const QString& text) {
  return TypeInto(widget(control), text);
}

bool QtProgram::TypeInto(QWidget& target, const QString& text) {
  if (FocusByClick(target) == nullptr) return false;
  for (QChar c : text) {
    // Keys go where the focus is now; a key may have moved it.
    if (QWidget* focus = target.window()->focusWidget()) {
      PressKey(*focus, KeyOf(c), Qt::NoModifier, TextOf(c));
    }
  }
  ProcessEvents();
  return true;
}

bool QtProgram::Paste(frame::ControlId control, const QString& text) {
  QWidget* focus = FocusByClick(widget(control));
  if (focus == nullptr) return false;
  QGuiApplication::clipboard()->setText(text);
  PressKey(*focus, Qt::Key_V, Qt::ControlModifier, QString());
  ProcessEvents();
  return true;
}

void QtProgram::PressKeyIn(QWidget& top, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(top.windowHandle(), static_cast<Qt::Key>(key), modifiers);
  ProcessEvents();
}

bool QtProgram::TabTo(frame::ControlId control) {
  QWidget& target = widget(control);
  QWidget& top = *target.window();
  for (int presses = 0; presses < 200; ++presses) {
    QWidget* focus = top.focusWidget();
    if (focus != nullptr && (focus == &target || target.isAncestorOf(focus))) return true;
    PressKeyIn(top, Qt::Key_Tab);
  }
  return false;
}

bool QtProgram::PickComboItem(frame::ControlId control, int index) {
  auto& combo = widget<QComboBox>(control);
  // On the arrow: the text field of an editable combo takes the click itself.
  ClickInWindow(combo, QPoint(combo.width() - 6, combo.height() / 2));
  QAbstractItemView* list = combo.view();
  if (!list->isVisible()) return false;
  // The list ignores the release of the click that opened it for a moment.
  QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
  QPoint at = list->visualRect(combo.model()->index(index, 0)).center();
  QTest::mouseMove(list->viewport(), at);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  return true;
}

bool QtProgram::ChooseMenuItem(frame::ControlId item) {
  QAction* action = window_system_.MenuAction(item);
  auto* menu = qobject_cast<QMenu*>(action->parent());
  QMenuBar* bar = window().findChild<QMenuBar*>();
  if (menu == nullptr || bar == nullptr) return false;
  ClickInWindow(*bar, bar->actionGeometry(menu->menuAction()).center());
  if (!menu->isVisible()) return false;
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
  ProcessEvents();
  menu->hide();
  return true;
}

void QtProgram::SelectTabPage(frame::ControlId tab, int page) {
  QTabBar* strip = widget<frame::TabControl>(tab).Strip();
  ClickInWindow(*strip, strip->tabRect(page).center());
}

void QtProgram::CloseWindow() {
  window().close();
  ProcessEvents();
}

std::vector<QMessageBox*> QtProgram::OpenMessageBoxes() const {
  std::vector<QMessageBox*> boxes;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(top); box != nullptr && box->isVisible()) {
      boxes.push_back(box);
    }
  }
  return boxes;
}

QMessageBox* QtProgram::WaitForMessageBox(std::chrono::milliseconds timeout) {
  QMessageBox* found = nullptr;
  WaitUntil(
      [&] {
        std::vector<QMessageBox*> boxes = OpenMessageBoxes();
        found = boxes.empty() ? nullptr : boxes.front();
        return found != nullptr;
      },
      timeout);
  return found;
}

void QtProgram::ClickButton(QMessageBox& box, QMessageBox::StandardButton button) {
  QTest::mouseClick(box.button(button), Qt::LeftButton);
  ProcessEvents();
}

void QtProgram::AnswerNextMessageBox(QMessageBox::StandardButton button,
                                     std::function<void(QMessageBox&)> look) {
  answerer_ = std::make_unique<QTimer>();
  QObject::connect(answerer_.get(), &QTimer::timeout, answerer_.get(), [this, button, look] {
    std::vector<QMessageBox*> boxes = OpenMessageBoxes();
    if (boxes.empty()) return;
    answerer_->stop();
    if (look) look(*boxes.front());
    QTest::mouseClick(boxes.front()->button(button), Qt::LeftButton);
  });
  answerer_->start(5);
}

}  // namespace testing_support
