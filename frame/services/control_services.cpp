#include "frame/services/control_services.h"

#include "frame/runtime/runtime.h"

namespace frame {
namespace {

// Runs `work` on the UI thread and hands its result back to the caller.
template <class Work>
auto OnUiThread(Work&& work) {
  WindowSystem& window_system = Runtime::Current().window_system();
  using Result = decltype(work(window_system));
  if constexpr (std::is_void_v<Result>) {
    window_system.InvokeOnUiThread([&] { work(window_system); });
  } else {
    Result result{};
    window_system.InvokeOnUiThread([&] { result = work(window_system); });
    return result;
  }
}

}  // namespace

PropertyValue GetControlProperty(WindowId window, ControlId control, Property property) {
  if (WindowComponent* component = Runtime::Current().FindComponent(window, control)) {
    return component->GetProperty(property);
  }
  return OnUiThread([&](WindowSystem& ws) { return ws.GetProperty(window, control, property); });
}

void SetControlProperty(WindowId window, ControlId control, Property property,
                        const PropertyValue& value) {
  OnUiThread([&](WindowSystem& ws) { ws.SetProperty(window, control, property, value); });
}

int32_t AddComboItem(WindowId window, ControlId control, TextArg text, int32_t data) {
  Text item(text.view());
  return OnUiThread([&](WindowSystem& ws) { return ws.AddComboItem(window, control, item, data); });
}

void ClearComboItems(WindowId window, ControlId control) {
  OnUiThread([&](WindowSystem& ws) { ws.ClearComboItems(window, control); });
}

void AppendEditTextList(WindowId window, ControlId control, std::initializer_list<TextArg> texts) {
  for (TextArg text : texts) {
    Text piece(text.view());
    OnUiThread([&](WindowSystem& ws) { ws.AppendEditText(window, control, piece); });
  }
}

void FocusControl(WindowId window, ControlId control) {
  OnUiThread([&](WindowSystem& ws) { ws.FocusControl(window, control); });
}

int32_t ShowMessageBox(const Value& value, int32_t flags, std::optional<std::string_view> caption) {
  Text text;
  switch (value.kind()) {
    case Value::Kind::kSubroutine:
    case Value::Kind::kArray:
    case Value::Kind::kEmpty:
      break;
    default:
      text = ToText(value);
      break;
  }
  if ((flags & kMessageBoxSystemModal) == 0) flags |= kMessageBoxTaskModal;
  MessageBoxRequest request{
      .text = std::move(text),
      .caption = caption ? Text(*caption) : Gbk("信息："),
      .flags = flags,
  };
  auto button = static_cast<int32_t>(Runtime::Current().window_system().ShowMessageBox(request));
  return button >= 1 && button <= 7 ? button - 1 : 0;
}

int32_t ShowMessageBox(TextArg text, int32_t flags, std::optional<std::string_view> caption) {
  return ShowMessageBox(Value(text.view()), flags, caption);
}

}  // namespace frame
