// Services that handlers use on the window: properties, lists, log boxes,
// focus and message boxes. Any thread may call them; the work is done on the
// UI thread while the caller waits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "frame/services/text_services.h"
#include "frame/services/values.h"
#include "frame/text/gbk.h"
#include "frame/window/property_value.h"
#include "frame/window/window_model.h"
#include "frame/window/window_system.h"

namespace frame {

PropertyValue GetControlProperty(WindowId window, ControlId control, Property property);
void SetControlProperty(WindowId window, ControlId control, Property property,
                        const PropertyValue& value);

// The index of the new item at the end of the list, or -1 when it was refused.
int32_t AddComboItem(WindowId window, ControlId control, TextArg text, int32_t data = 0);
void ClearComboItems(WindowId window, ControlId control);

// Adds each text at the end of the box in turn, whatever the operator had selected.
template <std::convertible_to<TextArg>... Texts>
void AppendEditText(WindowId window, ControlId control, const Texts&... texts);
void AppendEditTextList(WindowId window, ControlId control, std::initializer_list<TextArg> texts);

void FocusControl(WindowId window, ControlId control);

// What ShowMessageBox returns for each button.
inline constexpr int32_t kAnsweredOk = 0;
inline constexpr int32_t kAnsweredCancel = 1;
inline constexpr int32_t kAnsweredAbort = 2;
inline constexpr int32_t kAnsweredRetry = 3;
inline constexpr int32_t kAnsweredIgnore = 4;
inline constexpr int32_t kAnsweredYes = 5;
inline constexpr int32_t kAnsweredNo = 6;

// Shows a box and returns the button pressed less one: OK 0, Cancel 1, Abort 2,
// Retry 3, Ignore 4, Yes 5, No 6. Numbers, flags, date-times and texts are shown
// as ToText writes them; other values show an empty box. The caption is
// "信息：" when none is given.
int32_t ShowMessageBox(const Value& value, int32_t flags = 0,
                       std::optional<std::string_view> caption = std::nullopt);
int32_t ShowMessageBox(TextArg text, int32_t flags = 0,
                       std::optional<std::string_view> caption = std::nullopt);

template <std::convertible_to<TextArg>... Texts>
void AppendEditText(WindowId window, ControlId control, const Texts&... texts) {
  AppendEditTextList(window, control, {TextArg(texts)...});
}

}  // namespace frame
