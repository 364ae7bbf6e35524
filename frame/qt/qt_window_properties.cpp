// What handlers read and write, held to the window contract and shown in
// the widgets.
#include <QComboBox>
#include <QRadioButton>

#include "frame/qt/control_content.h"
#include "frame/qt/control_look.h"
#include "frame/qt/qt_text.h"
#include "frame/qt/qt_window_impl.h"

namespace frame {

void QtWindowSystem::Impl::ShowFlag(Unit& unit, Property property) {
  QWidget& widget = *unit.widget;
  switch (property) {
    case Property::kLeft:
    case Property::kTop:
    case Property::kWidth:
    case Property::kHeight: {
      const Rect& rect = unit.flags.rect;
      widget.setGeometry(rect.left, rect.top, rect.width, rect.height);
      break;
    }
    case Property::kVisible:
      if (!unit.flags.visible) window->KeepFocusOutOf(widget);
      widget.setVisible(unit.flags.visible);
      break;
    case Property::kDisabled:
      // Qt keeps the children of a disabled box disabled and restores each
      // to its own flag when the box is enabled again.
      if (unit.flags.disabled) window->KeepFocusOutOf(widget);
      widget.setEnabled(!unit.flags.disabled);
      ApplyPalette(widget, *unit.control, unit.flags.disabled);
      break;
    default:
      break;  // kept, not shown
  }
}

PropertyValue QtWindowSystem::GetProperty(WindowId window, ControlId control, Property property) {
  if (impl_->definition == nullptr || window != impl_->definition->id) return {};
  if (control == kWindowUnit) {
    switch (WindowUnitRoleOf(property)) {
      case WindowUnitRole::kTitle:
        return FromQt(impl_->window->windowTitle());
      case WindowUnitRole::kOpen:
        return impl_->open;
      case WindowUnitRole::kNone:
        return {};
    }
  }
  const Impl::Unit* unit = impl_->Find(window, control);
  if (unit == nullptr) return {};
  if (unit->menu_item != nullptr) {
    return IsMenuItemProperty(property) ? PropertyValue(unit->flags.disabled) : PropertyValue();
  }
  if (unit->widget == nullptr) return {};
  const QWidget& widget = *unit->widget;
  switch (RoleOf(*unit->control, property)) {
    case PropertyRole::kNone:
      return {};
    case PropertyRole::kFlag:
      return unit->flags.Read(property);
    case PropertyRole::kText:
      return FromQt(WidgetText(widget));
    case PropertyRole::kChecked:
      return static_cast<const QRadioButton&>(widget).isChecked();
    case PropertyRole::kSelectedIndex:
      return static_cast<int32_t>(static_cast<const QComboBox&>(widget).currentIndex());
  }
  return {};
}

void QtWindowSystem::SetProperty(WindowId window, ControlId control, Property property,
                                 const PropertyValue& value) {
  if (impl_->definition == nullptr || window != impl_->definition->id) return;
  if (control == kWindowUnit) {
    if (WindowUnitRoleOf(property) == WindowUnitRole::kTitle) {
      impl_->window->setWindowTitle(ToQt(value.AsText()));
    }
    return;
  }
  Impl::Unit* unit = impl_->Find(window, control);
  if (unit == nullptr) return;
  if (unit->menu_item != nullptr) {
    if (IsMenuItemProperty(property)) {
      unit->flags.disabled = value.AsBool();
      unit->action->setEnabled(!unit->flags.disabled);
    }
    return;
  }
  if (unit->widget == nullptr || !IsWritable(*unit->control, property)) return;
  QWidget& widget = *unit->widget;
  switch (RoleOf(*unit->control, property)) {
    case PropertyRole::kNone:
      break;
    case PropertyRole::kFlag:
      unit->flags.Write(property, value);
      impl_->ShowFlag(*unit, property);
      break;
    case PropertyRole::kText:
      SetWidgetText(widget, ToQt(value.AsText()));
      break;
    case PropertyRole::kChecked:
      SetRadioChecked(static_cast<QRadioButton&>(widget), value.AsBool());
      break;
    case PropertyRole::kSelectedIndex:
      SelectComboIndex(static_cast<QComboBox&>(widget), value.AsInt());
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
  if (TakesAppendedText(unit->control->kind)) AppendWidgetText(*unit->widget, ToQt(text));
}

void QtWindowSystem::FocusControl(WindowId window, ControlId control) {
  Impl::Unit* unit = impl_->Find(window, control);
  if (unit != nullptr && unit->widget != nullptr) unit->widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace frame
