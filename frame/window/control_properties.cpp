#include "frame/window/control_properties.h"

namespace frame {

PropertyRole RoleOf(const ControlDefinition& control, Property property) {
  if (IsComponent(control.kind)) return PropertyRole::kNone;
  ControlKind kind = control.kind;
  switch (property) {
    case Property::kLeft:
    case Property::kTop:
    case Property::kWidth:
    case Property::kHeight:
    case Property::kTag:
    case Property::kVisible:
    case Property::kDisabled:
    case Property::kMousePointer:
      return PropertyRole::kFlag;
    case Property::kText:
      return kind == ControlKind::kEditBox ? PropertyRole::kText : PropertyRole::kNone;
    case Property::kContentText:
      return kind == ControlKind::kComboBox || kind == ControlKind::kRichEdit ||
                     kind == ControlKind::kIPEditBox
                 ? PropertyRole::kText
                 : PropertyRole::kNone;
    case Property::kCaption:
      return kind == ControlKind::kButton ? PropertyRole::kText : PropertyRole::kNone;
    case Property::kChecked:
      return kind == ControlKind::kRadioBox ? PropertyRole::kChecked : PropertyRole::kNone;
    case Property::kSelectedIndex:
      return kind == ControlKind::kComboBox ? PropertyRole::kSelectedIndex : PropertyRole::kNone;
    default:
      return PropertyRole::kNone;
  }
}

bool IsWritable(const ControlDefinition& control, Property property) {
  if (RoleOf(control, property) == PropertyRole::kNone) return false;
  if (property != Property::kContentText) return true;
  return control.kind == ControlKind::kRichEdit ||
         (control.kind == ControlKind::kComboBox && control.combo_style == ComboStyle::kDropDown);
}

ControlFlags ControlFlags::Of(const ControlDefinition& control) {
  return ControlFlags{
      .rect = control.rect, .visible = control.visible, .disabled = control.disabled};
}

PropertyValue ControlFlags::Read(Property property) const {
  switch (property) {
    case Property::kLeft:
      return rect.left;
    case Property::kTop:
      return rect.top;
    case Property::kWidth:
      return rect.width;
    case Property::kHeight:
      return rect.height;
    case Property::kTag:
      return tag;
    case Property::kVisible:
      return visible;
    case Property::kDisabled:
      return disabled;
    case Property::kMousePointer:
      return mouse_pointer;
    default:
      return {};
  }
}

void ControlFlags::Write(Property property, const PropertyValue& value) {
  switch (property) {
    case Property::kLeft:
      rect.left = value.AsInt();
      break;
    case Property::kTop:
      rect.top = value.AsInt();
      break;
    case Property::kWidth:
      rect.width = value.AsInt();
      break;
    case Property::kHeight:
      rect.height = value.AsInt();
      break;
    case Property::kTag:
      tag = value.AsInt();
      break;
    case Property::kVisible:
      visible = value.AsBool();
      break;
    case Property::kDisabled:
      disabled = value.AsBool();
      break;
    case Property::kMousePointer:
      mouse_pointer = value.AsInt();
      break;
    default:
      break;
  }
}

WindowUnitRole WindowUnitRoleOf(Property property) {
  if (property == kTitle) return WindowUnitRole::kTitle;
  if (property == Property::kVisible) return WindowUnitRole::kOpen;
  return WindowUnitRole::kNone;
}

}  // namespace frame
