#include "frame/qt/qt_window_system.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QMessageBox>
#include <QRadioButton>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <future>
#include <map>
#include <optional>
#include <thread>

#include "frame/qt/client_area.h"
#include "frame/qt/control_content.h"
#include "frame/qt/control_look.h"
#include "frame/qt/control_widgets.h"
#include "frame/qt/main_window.h"
#include "frame/qt/menu_bar.h"
#include "frame/qt/message_boxes.h"
#include "frame/qt/qt_text.h"
#include "frame/qt/tab_control.h"

namespace frame {

struct QtWindowSystem::Impl {
  // A control or menu item with the flags the frame reads back as it wrote
  // them: a control's own disabled and visible flags, not the effective ones.
  struct Unit {
    const ControlDefinition* control = nullptr;
    const MenuItemDefinition* menu_item = nullptr;
    QWidget* widget = nullptr;  // none for components; owned by the window
    QAction* action = nullptr;  // menu items
    Rect rect;
    bool visible = true;
    bool disabled = false;
    int32_t tag = 0;
    int32_t mouse_pointer = 0;
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

QtWindowSystem::Impl::Impl(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) {
    owned_application = std::make_unique<QApplication>(argc, argv);
  }
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (application == nullptr || application->thread() != QThread::currentThread()) {
    std::fputs("frame: the Qt window system needs a QApplication of this thread\n", stderr);
    std::abort();
  }
  // The loop ends when the frame says so, not when a box closes last.
  application->setQuitOnLastWindowClosed(false);
  InstallFrameLook(*application);
  ui_context = std::make_unique<QObject>();
}

QtWindowSystem::Impl::~Impl() {
  for (auto& [box, waiting] : worker_boxes) {
    waiting.answer->set_value(CancelAnswerOf(waiting.flags));
    delete box;
  }
  worker_boxes.clear();
  window.reset();
  ui_context.reset();
}

QtWindowSystem::Impl::Unit* QtWindowSystem::Impl::Find(WindowId window_id, ControlId control) {
  if (definition == nullptr || window_id != definition->id) return nullptr;
  auto it = units.find(control);
  return it == units.end() ? nullptr : &it->second;
}

QWidget* QtWindowSystem::Impl::ContainerOf(const ControlDefinition& control) {
  if (!control.parent.control) return client_area;
  QWidget* parent = EnsureWidget(*FindControl(*definition, *control.parent.control));
  if (auto* tab = dynamic_cast<TabControl*>(parent)) return tab->Page(control.parent.page);
  return parent;
}

// Creates parents before their children, whatever the definition's order.
QWidget* QtWindowSystem::Impl::EnsureWidget(const ControlDefinition& control) {
  auto [it, created] = units.try_emplace(control.id);
  Unit& unit = it->second;
  if (!created) return unit.widget;
  unit.control = &control;
  unit.rect = control.rect;
  unit.visible = control.visible;
  unit.disabled = control.disabled;
  if (IsComponent(control.kind)) return nullptr;

  unit.widget = CreateControlWidget(control, *ContainerOf(control));
  if (!control.visible) unit.widget->hide();
  unit.widget->setEnabled(!control.disabled);
  ConnectEvents(control.id, *unit.widget);
  return unit.widget;
}

void QtWindowSystem::Impl::ConnectEvents(ControlId id, QWidget& widget) {
  // Programmatic changes emit neither clicked nor activated: handlers' writes raise nothing.
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    QObject::connect(button, &QAbstractButton::clicked, button, [this, id] { Raise(id); });
  } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    // Queued: the pick is in place and any running handler has returned.
    QObject::connect(combo, &QComboBox::activated, combo, [this, id, combo] {
      QMetaObject::invokeMethod(
          combo, [this, id] { Raise(id); }, Qt::QueuedConnection);
    });
  }
}

void QtWindowSystem::Impl::Raise(ControlId control) {
  if (sink == nullptr || definition == nullptr) return;
  sink->DispatchEvent(EventRecord{.window = definition->id, .control = control, .event = 0});
}

void QtWindowSystem::Impl::ClosedByOperator() {
  if (!open) return;
  open = false;
  if (sink != nullptr) sink->WindowClosed();
  Quit(0);
}

void QtWindowSystem::Impl::Quit(int exit_code) {
  if (loop != nullptr) {
    loop->exit(exit_code);
  } else {
    pending_quit = exit_code;
  }
}

void QtWindowSystem::Impl::OpenWorkerBox(const MessageBoxRequest& request,
                                         std::shared_ptr<std::promise<MessageBoxButton>> answer) {
  QMessageBox* box = CreateMessageBox(request, window.get()).release();
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  worker_boxes[box] = WorkerBox{.flags = request.flags, .answer = std::move(answer)};
  QObject::connect(box, &QDialog::finished, box, [this, box] {
    auto it = worker_boxes.find(box);
    if (it == worker_boxes.end()) return;
    it->second.answer->set_value(AnswerOf(*box, it->second.flags));
    worker_boxes.erase(it);
  });
  box->show();
  // The operator's next key goes to the box, as to one raised on the UI thread.
  box->raise();
  box->activateWindow();
}

QtWindowSystem::QtWindowSystem(int& argc, char** argv)
    : impl_(std::make_unique<Impl>(argc, argv)) {}

QtWindowSystem::~QtWindowSystem() = default;

bool QtWindowSystem::IsUiThread() const {
  return std::this_thread::get_id() == impl_->ui_thread;
}

void QtWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      impl_->ui_context.get(),
      [&] {
        try {
          task();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error) std::rethrow_exception(error);
}

MessageBoxButton QtWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  if (IsUiThread()) {
    std::unique_ptr<QMessageBox> box = CreateMessageBox(request, impl_->window.get());
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return AnswerOf(*box, request.flags);
  }
  auto answer = std::make_shared<std::promise<MessageBoxButton>>();
  std::future<MessageBoxButton> chosen = answer->get_future();
  InvokeOnUiThread([&] { impl_->OpenWorkerBox(request, answer); });
  return chosen.get();
}

bool QtWindowSystem::BuildWindow(const WindowDefinition& definition, EventSink& sink) {
  if (impl_->definition != nullptr || !IsValidDefinition(definition)) return false;
  impl_->definition = &definition;
  impl_->sink = &sink;

  impl_->window =
      std::make_unique<frame::MainWindow>([impl = impl_.get()] { impl->ClosedByOperator(); });
  impl_->window->setWindowTitle(FromDefinition(definition.title));
  if (!definition.menu.empty()) {
    for (auto [id, action] : BuildMenuBar(*impl_->window->menuBar(), definition.menu)) {
      Impl::Unit& unit = impl_->units[id];
      unit.menu_item = FindMenuItem(definition, id);
      unit.action = action;
      unit.disabled = unit.menu_item->disabled;
      if (unit.menu_item->level == 1) {
        QObject::connect(action, &QAction::triggered, action,
                         [impl = impl_.get(), id = id] { impl->Raise(id); });
      }
    }
  }

  ClientSize client = ClientAreaSize(definition);
  impl_->client_area = new QWidget;
  impl_->client_area->setFixedSize(client.width, client.height);
  for (const ControlDefinition& control : definition.controls)
    impl_->EnsureWidget(control);
  // Windows lets clicks through a group box to the controls it lies over;
  // keeping group boxes below their siblings does the same.
  for (auto control = definition.controls.rbegin(); control != definition.controls.rend();
       ++control) {
    if (control->kind == ControlKind::kGroupBox) impl_->units[control->id].widget->lower();
  }

  impl_->window->FixSizeAndCentre(impl_->client_area);
  impl_->open = true;
  if (definition.visible) impl_->window->show();
  return true;
}

PropertyValue QtWindowSystem::GetProperty(WindowId window, ControlId control, Property property) {
  if (impl_->definition == nullptr || window != impl_->definition->id) return {};
  if (control == kWindowUnit) {
    if (property == kTitle) return FromQt(impl_->window->windowTitle());
    if (property == Property::kVisible) return impl_->open;
    return {};
  }
  const Impl::Unit* unit = impl_->Find(window, control);
  if (unit == nullptr) return {};
  if (unit->menu_item != nullptr) {
    return property == kMenuItemDisabled ? PropertyValue(unit->disabled) : PropertyValue();
  }
  if (unit->widget == nullptr) return {};
  const QWidget& widget = *unit->widget;
  ControlKind kind = unit->control->kind;
  switch (property) {
    case Property::kLeft:
      return unit->rect.left;
    case Property::kTop:
      return unit->rect.top;
    case Property::kWidth:
      return unit->rect.width;
    case Property::kHeight:
      return unit->rect.height;
    case Property::kTag:
      return unit->tag;
    case Property::kVisible:
      return unit->visible;
    case Property::kDisabled:
      return unit->disabled;
    case Property::kMousePointer:
      return unit->mouse_pointer;
    case Property::kText:
      if (kind == ControlKind::kEditBox) return FromQt(WidgetText(widget));
      break;
    case Property::kContentText:
      if (kind == ControlKind::kComboBox || kind == ControlKind::kRichEdit ||
          kind == ControlKind::kIPEditBox) {
        return FromQt(WidgetText(widget));
      }
      break;
    case Property::kCaption:
      if (kind == ControlKind::kButton) return FromQt(WidgetText(widget));
      break;
    case Property::kChecked:
      if (kind == ControlKind::kRadioBox)
        return static_cast<const QRadioButton&>(widget).isChecked();
      break;
    case Property::kSelectedIndex:
      if (kind == ControlKind::kComboBox) {
        return static_cast<int32_t>(static_cast<const QComboBox&>(widget).currentIndex());
      }
      break;
    default:
      break;
  }
  return {};
}

void QtWindowSystem::SetProperty(WindowId window, ControlId control, Property property,
                                 const PropertyValue& value) {
  if (impl_->definition == nullptr || window != impl_->definition->id) return;
  if (control == kWindowUnit) {
    if (property == kTitle) impl_->window->setWindowTitle(ToQt(value.AsText()));
    return;
  }
  Impl::Unit* unit = impl_->Find(window, control);
  if (unit == nullptr) return;
  if (unit->menu_item != nullptr) {
    if (property == kMenuItemDisabled) {
      unit->disabled = value.AsBool();
      unit->action->setEnabled(!unit->disabled);
    }
    return;
  }
  if (unit->widget == nullptr) return;
  QWidget& widget = *unit->widget;
  ControlKind kind = unit->control->kind;
  switch (property) {
    case Property::kLeft:
    case Property::kTop:
    case Property::kWidth:
    case Property::kHeight: {
      Rect& rect = unit->rect;
      int32_t* field[] = {&rect.left, &rect.top, &rect.width, &rect.height};
      *field[static_cast<int>(property)] = value.AsInt();
      widget.setGeometry(rect.left, rect.top, rect.width, rect.height);
      break;
    }
    case Property::kTag:
      unit->tag = value.AsInt();
      break;
    case Property::kVisible:
      unit->visible = value.AsBool();
      if (!unit->visible) impl_->window->KeepFocusOutOf(widget);
      widget.setVisible(unit->visible);
      break;
    case Property::kDisabled:
      // Qt keeps the children of a disabled box disabled and restores each
      // to its own flag when the box is enabled again.
      unit->disabled = value.AsBool();
      if (unit->disabled) impl_->window->KeepFocusOutOf(widget);
      widget.setEnabled(!unit->disabled);
      ApplyPalette(widget, *unit->control, unit->disabled);
      break;
    case Property::kMousePointer:
      unit->mouse_pointer = value.AsInt();
      break;
    case Property::kText:
      if (kind == ControlKind::kEditBox) SetWidgetText(widget, ToQt(value.AsText()));
      break;
    case Property::kContentText:
      if (kind == ControlKind::kRichEdit ||
          (kind == ControlKind::kComboBox && unit->control->combo_style == ComboStyle::kDropDown)) {
        SetWidgetText(widget, ToQt(value.AsText()));
      }
      break;
    case Property::kCaption:
      if (kind == ControlKind::kButton) SetWidgetText(widget, ToQt(value.AsText()));
      break;
    case Property::kChecked:
      if (kind == ControlKind::kRadioBox) {
        SetRadioChecked(static_cast<QRadioButton&>(widget), value.AsBool());
      }
      break;
    case Property::kSelectedIndex:
      if (kind == ControlKind::kComboBox) {
        SelectComboIndex(static_cast<QComboBox&>(widget), value.AsInt());
      }
      break;
    default:
      break;
  }
}

int32_t QtWindowSystem::AddComboItem(WindowId window, ControlId control, const Text& text,
                                     int32_t data) {
  Impl::Unit* unit = impl_->Find(window, control);
  auto* combo = unit != nullptr ? qobject_cast<QComboBox*>(unit->widget) : nullptr;
  return combo != nullptr ? frame::AddComboItem(*combo, ToQt(text), data) : -1;
}

void QtWindowSystem::ClearComboItems(WindowId window, ControlId control) {
  Impl::Unit* unit = impl_->Find(window, control);
  if (auto* combo = unit != nullptr ? qobject_cast<QComboBox*>(unit->widget) : nullptr) {
    frame::ClearComboItems(*combo);
  }
}

void QtWindowSystem::AppendEditText(WindowId window, ControlId control, const Text& text) {
  Impl::Unit* unit = impl_->Find(window, control);
  if (unit == nullptr || unit->widget == nullptr) return;
  ControlKind kind = unit->control->kind;
  if (kind == ControlKind::kEditBox || kind == ControlKind::kRichEdit) {
    AppendWidgetText(*unit->widget, ToQt(text));
  }
}

void QtWindowSystem::FocusControl(WindowId window, ControlId control) {
  Impl::Unit* unit = impl_->Find(window, control);
  if (unit != nullptr && unit->widget != nullptr) unit->widget->setFocus(Qt::OtherFocusReason);
}

int QtWindowSystem::RunMessageLoop() {
  if (impl_->pending_quit) {
    int exit_code = *impl_->pending_quit;
    impl_->pending_quit.reset();
    return exit_code;
  }
  QEventLoop loop;
  impl_->loop = &loop;
  int exit_code = loop.exec();
  impl_->loop = nullptr;
  return exit_code;
}

void QtWindowSystem::QuitMessageLoop(int exit_code) {
  if (IsUiThread()) {
    impl_->Quit(exit_code);
    return;
  }
  QMetaObject::invokeMethod(
      impl_->ui_context.get(), [impl = impl_.get(), exit_code] { impl->Quit(exit_code); },
      Qt::QueuedConnection);
}

QWidget* QtWindowSystem::MainWindow() const {
  return impl_->window.get();
}

QWidget* QtWindowSystem::ControlWidget(ControlId control) const {
  auto it = impl_->units.find(control);
  return it == impl_->units.end() ? nullptr : it->second.widget;
}

QAction* QtWindowSystem::MenuAction(ControlId item) const {
  auto it = impl_->units.find(item);
  return it == impl_->units.end() ? nullptr : it->second.action;
}

}  // namespace frame
