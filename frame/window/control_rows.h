// Rows of a window definition's control table, one maker per kind, so that a
// table reads as a list of controls. Input controls take part in Tab-key
// focus movement.
#pragma once

#include <span>
#include <string_view>

#include "frame/window/window_model.h"

namespace frame::rows {

constexpr ControlDefinition Label(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                  std::string_view caption) {
  return {.id = id,
          .kind = ControlKind::kLabel,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = caption};
}

// Coloured text on black.
constexpr ControlDefinition ColoredLabel(ControlId id, std::string_view name, ParentRef parent,
                                         Rect rect, std::string_view caption, Color color) {
  return {.id = id,
          .kind = ControlKind::kLabel,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = caption,
          .text_color = color,
          .background_color = kBlack};
}

constexpr ControlDefinition Edit(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                 std::string_view text = "", InputMode mode = InputMode::kNormal,
                                 int32_t max_length = 0, bool disabled = false) {
  return {.id = id,
          .kind = ControlKind::kEditBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = text,
          .disabled = disabled,
          .tab_stop = true,
          .input_mode = mode,
          .max_length = max_length};
}

constexpr ControlDefinition Numeric(ControlId id, std::string_view name, ParentRef parent,
                                    Rect rect, std::string_view text = "", int32_t max_length = 0) {
  return Edit(id, name, parent, rect, text, InputMode::kNumeric, max_length);
}

constexpr ControlDefinition ReadOnly(ControlId id, std::string_view name, ParentRef parent,
                                     Rect rect) {
  return Edit(id, name, parent, rect, "", InputMode::kReadOnly);
}

constexpr ControlDefinition Button(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                   std::string_view caption, std::span<const EventBinding> events,
                                   bool disabled = false) {
  return {.id = id,
          .kind = ControlKind::kButton,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = caption,
          .disabled = disabled,
          .tab_stop = true,
          .events = events};
}

// A drop-down list: items are picked, never typed.
constexpr ControlDefinition List(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                 std::span<const EventBinding> events,
                                 std::span<const std::string_view> items = {},
                                 bool disabled = false) {
  return {.id = id,
          .kind = ControlKind::kComboBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .disabled = disabled,
          .tab_stop = true,
          .items = items,
          .events = events};
}

// Plain multi-line text with a vertical scroll bar.
constexpr ControlDefinition RichEdit(ControlId id, std::string_view name, ParentRef parent,
                                     Rect rect, std::string_view text) {
  return {.id = id,
          .kind = ControlKind::kRichEdit,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = text,
          .tab_stop = true,
          .multi_line = true,
          .vertical_scroll = true};
}

constexpr ControlDefinition Group(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                  std::string_view caption, bool disabled = false) {
  return {.id = id,
          .kind = ControlKind::kGroupBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = caption,
          .disabled = disabled};
}

constexpr ControlDefinition Tab(ControlId id, std::string_view name, ParentRef parent, Rect rect,
                                std::span<const std::string_view> pages) {
  return {.id = id,
          .kind = ControlKind::kTab,
          .name = name,
          .parent = parent,
          .rect = rect,
          .items = pages};
}

constexpr ControlDefinition RadioBox(ControlId id, std::string_view name, ParentRef parent,
                                     Rect rect, std::string_view caption, bool disabled = false) {
  return {.id = id,
          .kind = ControlKind::kRadioBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = caption,
          .disabled = disabled,
          .tab_stop = true};
}

constexpr ControlDefinition IpAddressBox(ControlId id, std::string_view name, ParentRef parent,
                                         Rect rect, std::string_view address) {
  return {.id = id,
          .kind = ControlKind::kIPEditBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .text = address,
          .tab_stop = true};
}

// A database connection or record set: no surface; the rectangle only places
// it in the designer.
constexpr ControlDefinition Component(ControlId id, ControlKind kind, std::string_view name,
                                      Rect rect) {
  return {.id = id, .kind = kind, .name = name, .rect = rect};
}

}  // namespace frame::rows
