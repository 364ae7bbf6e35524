// What the Qt window system keeps, shared by the files that make it up:
// the UI thread's queue, the message boxes, the window's building and the
// controls' properties.
#pragma once

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "frame/qt/main_window.h"
#include "frame/qt/qt_window_system.h"
#include "frame/window/control_properties.h"

namespace frame {

struct QtWindowSystem::Impl {
  // A control or menu item with the flags the frame reads back as it wrote
  // them: a control's own disabled and visible flags, not the effective ones.
  struct Unit {
    const ControlDefinition* control = nullptr;
    const MenuItemDefinition* menu_item = nullptr;
    QWidget* widget = nullptr;  // none for components; owned by the window
    QAction* action = nullptr;  // menu items
    ControlFlags flags;         // a menu item's disabled flag too
  };
  // A box that a worker waits on.
  struct WorkerBox {
    int32_t flags = 0;
    std::shared_ptr<std::promise<MessageBoxButton>> answer;
  };

  Impl(int& argc, char** argv);
  ~Impl();

  Unit* Find(WindowId window, ControlId control);
  QWidget* EnsureWidget(const ControlDefinition& control);
  QWidget* ContainerOf(const ControlDefinition& control);
  void ConnectEvents(ControlId id, QWidget& widget);
  void Raise(ControlId control);
  void ClosedByOperator();
  void Quit(int exit_code);
  void OpenWorkerBox(const MessageBoxRequest& request,
                     std::shared_ptr<std::promise<MessageBoxButton>> answer);
  // Shows a handler's write of one of the shared flags.
  void ShowFlag(Unit& unit, Property property);

  // Declared first so that it goes last.
  std::unique_ptr<QApplication> owned_application;
  const std::thread::id ui_thread = std::this_thread::get_id();
  // Lives on the UI thread: other threads' calls are queued to it.
  std::unique_ptr<QObject> ui_context;

  const WindowDefinition* definition = nullptr;
  EventSink* sink = nullptr;
  std::unique_ptr<frame::MainWindow> window;
  QWidget* client_area = nullptr;
  bool open = false;
  std::map<ControlId, Unit> units;

  QEventLoop* loop = nullptr;
  std::optional<int> pending_quit;  // asked for while no loop ran
  std::map<QMessageBox*, WorkerBox> worker_boxes;
};

}  // namespace frame
