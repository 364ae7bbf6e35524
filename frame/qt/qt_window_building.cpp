// The window and its widgets, built from the definition, and the operator's
// clicks, picks and menu choices passed on to the frame.
#include <QAbstractButton>
#include <QComboBox>

#include "frame/qt/client_area.h"
#include "frame/qt/control_widgets.h"
#include "frame/qt/menu_bar.h"
#include "frame/qt/qt_text.h"
#include "frame/qt/qt_window_impl.h"
#include "frame/qt/tab_control.h"

namespace frame {

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
  unit.flags = ControlFlags::Of(control);
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
      unit.flags.disabled = unit.menu_item->disabled;
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

}  // namespace frame
