#include "frame/headless/headless_window_system.h"

#include <algorithm>
#include <cstdio>

namespace frame {
namespace {

// Splits UTF-8 into characters (code points with their bytes).
std::vector<std::string_view> Characters(std::string_view utf8) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = 1;
    auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    length = std::min(length, utf8.size() - i);
    out.push_back(utf8.substr(i, length));
    i += length;
  }
  return out;
}

// Parses one field of a dotted address; blank gives none, above 255 gives 255.
bool ParseAddressField(std::string_view field, std::optional<int32_t>& out) {
  if (field.empty()) {
    out.reset();
    return true;
  }
  if (field.size() > 3) return false;
  int32_t value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  out = std::min(value, 255);
  return true;
}

}  // namespace

HeadlessWindowSystem::HeadlessWindowSystem() : ui_thread_(std::this_thread::get_id()) {}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

void HeadlessWindowSystem::DismissOpenMessageBoxes() {
  std::lock_guard lock(mutex_);
  for (const OpenBox& open : open_boxes_) {
    ShownMessageBox& box = boxes_[open.history_index];
    box.answer = CancelAnswerOf(box.flags);
    box.answered_by_default = true;
  }
  open_boxes_.clear();
  activity_.notify_all();
}

bool HeadlessWindowSystem::IsUiThread() const {
  return std::this_thread::get_id() == ui_thread_;
}

void HeadlessWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  auto queued = std::make_shared<Task>();
  queued->run = task;
  std::unique_lock lock(mutex_);
  tasks_.push_back(queued);
  activity_.notify_all();
  activity_.wait(lock, [&] { return queued->done; });
  if (queued->error) std::rethrow_exception(queued->error);
}

void HeadlessWindowSystem::Post(std::function<void()> task) {
  auto queued = std::make_shared<Task>();
  queued->run = std::move(task);
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(queued));
  activity_.notify_all();
}

void HeadlessWindowSystem::ProcessPendingTasks() {
  // A task that acts as the operator must not run the tasks queued after it.
  if (pumping_) return;
  pumping_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pumping_};
  for (;;) {
    std::shared_ptr<Task> task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty()) return;
      task = tasks_.front();
      tasks_.pop_front();
    }
    try {
      task->run();
    } catch (...) {
      task->error = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    task->done = true;
    activity_.notify_all();
  }
}

void HeadlessWindowSystem::WaitForActivity(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  activity_.wait_for(lock, timeout, [&] { return !tasks_.empty() || !open_boxes_.empty(); });
}

MessageBoxButton HeadlessWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  ShownMessageBox box;
  box.text = Utf8(request.text);
  box.caption = Utf8(request.caption);
  box.flags = request.flags;
  box.from_worker = !IsUiThread();
  std::unique_lock lock(mutex_);
  if (!scripted_answers_.empty()) {
    box.answer = scripted_answers_.front();
    scripted_answers_.pop_front();
  } else if (!box.from_worker) {
    box.answer = CancelAnswerOf(box.flags);
    box.answered_by_default = true;
  }
  boxes_.push_back(box);
  if (box.answer) return *box.answer;

  size_t index = boxes_.size() - 1;
  open_boxes_.push_back(OpenBox{index});
  activity_.notify_all();
  activity_.wait(lock, [&] { return boxes_[index].answer.has_value(); });
  return *boxes_[index].answer;
}

void HeadlessWindowSystem::AnswerNextMessageBox(MessageBoxButton answer) {
  std::lock_guard lock(mutex_);
  scripted_answers_.push_back(answer);
}

std::vector<HeadlessWindowSystem::ShownMessageBox> HeadlessWindowSystem::MessageBoxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::optional<HeadlessWindowSystem::ShownMessageBox> HeadlessWindowSystem::WaitForOpenMessageBox(
    std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    ProcessPendingTasks();
    {
      std::lock_guard lock(mutex_);
      if (!open_boxes_.empty()) return boxes_[open_boxes_.front().history_index];
    }
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return std::nullopt;
    WaitForActivity(std::min<std::chrono::milliseconds>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) +
            std::chrono::milliseconds(1),
        std::chrono::milliseconds(50)));
  }
}

bool HeadlessWindowSystem::AnswerOpenMessageBox(MessageBoxButton answer) {
  std::lock_guard lock(mutex_);
  if (open_boxes_.empty()) return false;
  boxes_[open_boxes_.front().history_index].answer = answer;
  open_boxes_.pop_front();
  activity_.notify_all();
  return true;
}

size_t HeadlessWindowSystem::OpenMessageBoxCount() const {
  std::lock_guard lock(mutex_);
  return open_boxes_.size();
}

bool HeadlessWindowSystem::BuildWindow(const WindowDefinition& definition, EventSink& sink) {
  if (definition_ != nullptr) return false;
  definition_ = &definition;
  sink_ = &sink;
  title_ = Gbk(definition.title);
  for (const ControlDefinition& control : definition.controls) {
    ControlState state;
    state.control = &control;
    state.rect = control.rect;
    state.visible = control.visible;
    state.disabled = control.disabled;
    state.checked = control.checked;
    switch (control.kind) {
      case ControlKind::kComboBox:
        for (std::string_view item : control.items)
          state.items.push_back({Gbk(item), 0});
        if (control.combo_style == ComboStyle::kDropDown) state.text = Gbk(control.text);
        break;
      case ControlKind::kIPEditBox: {
        std::string_view rest = control.text;
        for (auto& field : state.address) {
          size_t dot = rest.find('.');
          if (!ParseAddressField(rest.substr(0, dot), field)) field.reset();
          rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
        }
        break;
      }
      default:
        state.text = Gbk(control.text);
        break;
    }
    controls_[control.id] = std::move(state);
  }
  for (const MenuItemDefinition& item : definition.menu) {
    ControlState state;
    state.menu_item = &item;
    state.text = Gbk(item.caption);
    state.disabled = item.disabled;
    controls_[item.id] = std::move(state);
  }
  open_ = true;
  return true;
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(WindowId window, ControlId control) {
  if (definition_ == nullptr || window != definition_->id) return nullptr;
  return Find(control);
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(ControlId control) {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(ControlId control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : &it->second;
}

Text HeadlessWindowSystem::ContentText(const ControlState& state) const {
  if (state.control == nullptr) return state.text;
  switch (state.control->kind) {
    case ControlKind::kComboBox:
      if (state.control->combo_style == ComboStyle::kDropDown) return state.text;
      return state.selected >= 0 ? state.items[static_cast<size_t>(state.selected)].text : Text();
    case ControlKind::kIPEditBox: {
      if (std::none_of(state.address.begin(), state.address.end(),
                       [](const auto& field) { return field.has_value(); })) {
        return {};
      }
      char buffer[20];
      std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", state.address[0].value_or(0),
                    state.address[1].value_or(0), state.address[2].value_or(0),
                    state.address[3].value_or(0));
      return buffer;
    }
    default:
      return state.text;
  }
}

PropertyValue HeadlessWindowSystem::GetProperty(WindowId window, ControlId control,
                                                Property property) {
  if (definition_ == nullptr || window != definition_->id) return {};
  if (control == kWindowUnit) {
    if (property == kTitle) return title_;
    if (property == Property::kVisible) return open_;
    return {};
  }
  const ControlState* state = Find(control);
  if (state == nullptr) return {};
  if (state->menu_item != nullptr) {
    return property == kMenuItemDisabled ? PropertyValue(state->disabled) : PropertyValue();
  }
  ControlKind kind = state->control->kind;
  if (IsComponent(kind)) return {};
  switch (property) {
    case Property::kLeft:
      return state->rect.left;
    case Property::kTop:
      return state->rect.top;
    case Property::kWidth:
      return state->rect.width;
    case Property::kHeight:
      return state->rect.height;
    case Property::kTag:
      return state->tag;
    case Property::kVisible:
      return state->visible;
    case Property::kDisabled:
      return state->disabled;
    case Property::kMousePointer:
      return state->mouse_pointer;
    case Property::kText:
      if (kind == ControlKind::kEditBox) return state->text;
      break;
    case Property::kContentText:
      if (kind == ControlKind::kComboBox || kind == ControlKind::kRichEdit ||
          kind == ControlKind::kIPEditBox) {
        return ContentText(*state);
      }
      break;
    case Property::kCaption:
      if (kind == ControlKind::kButton) return state->text;
      break;
    case Property::kChecked:
      if (kind == ControlKind::kRadioBox) return state->checked;
      break;
    case Property::kSelectedIndex:
      if (kind == ControlKind::kComboBox) return state->selected;
      break;
    default:
      break;
  }
  return {};
}

void HeadlessWindowSystem::SetProperty(WindowId window, ControlId control, Property property,
                                       const PropertyValue& value) {
  if (definition_ == nullptr || window != definition_->id) return;
  writes_.push_back({control, property, value});
  if (control == kWindowUnit) {
    if (property == kTitle) title_ = value.AsText();
    return;
  }
  ControlState* state = Find(control);
  if (state == nullptr) return;
  if (state->menu_item != nullptr) {
    if (property == kMenuItemDisabled) state->disabled = value.AsBool();
    return;
  }
  ControlKind kind = state->control->kind;
  if (IsComponent(kind)) return;
  switch (property) {
    case Property::kLeft:
      state->rect.left = value.AsInt();
      break;
    case Property::kTop:
      state->rect.top = value.AsInt();
      break;
    case Property::kWidth:
      state->rect.width = value.AsInt();
      break;
    case Property::kHeight:
      state->rect.height = value.AsInt();
      break;
    case Property::kTag:
      state->tag = value.AsInt();
      break;
    case Property::kVisible:
      state->visible = value.AsBool();
      break;
    case Property::kDisabled:
      state->disabled = value.AsBool();
      break;
    case Property::kMousePointer:
      state->mouse_pointer = value.AsInt();
      break;
    case Property::kText:
      if (kind == ControlKind::kEditBox) state->text = value.AsText();
      break;
    case Property::kContentText:
      if (kind == ControlKind::kRichEdit ||
          (kind == ControlKind::kComboBox &&
           state->control->combo_style == ComboStyle::kDropDown)) {
        state->text = value.AsText();
      }
      break;
    case Property::kCaption:
      if (kind == ControlKind::kButton) state->text = value.AsText();
      break;
    case Property::kChecked:
      if (kind == ControlKind::kRadioBox) state->checked = value.AsBool();
      break;
    case Property::kSelectedIndex:
      if (kind == ControlKind::kComboBox) {
        int32_t count = static_cast<int32_t>(state->items.size());
        state->selected = std::clamp(value.AsInt(), -1, count - 1);
        if (state->control->combo_style == ComboStyle::kDropDown) {
          state->text = state->selected >= 0
                            ? state->items[static_cast<size_t>(state->selected)].text
                            : Text();
        }
      }
      break;
    default:
      break;
  }
}

int32_t HeadlessWindowSystem::AddComboItem(WindowId window, ControlId control, const Text& text,
                                           int32_t data) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox) {
    return -1;
  }
  state->items.push_back({text, data});
  return static_cast<int32_t>(state->items.size()) - 1;
}

void HeadlessWindowSystem::ClearComboItems(WindowId window, ControlId control) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox) {
    return;
  }
  state->items.clear();
  state->selected = -1;
  state->text.clear();
}

void HeadlessWindowSystem::AppendEditText(WindowId window, ControlId control, const Text& text) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr) return;
  ControlKind kind = state->control->kind;
  if (kind == ControlKind::kEditBox || kind == ControlKind::kRichEdit) state->text += text;
}

void HeadlessWindowSystem::FocusControl(WindowId window, ControlId control) {
  if (Find(window, control) != nullptr) focused_ = control;
}

int HeadlessWindowSystem::RunMessageLoop() {
  for (;;) {
    ProcessPendingTasks();
    std::unique_lock lock(mutex_);
    if (quit_) {
      quit_ = false;
      return exit_code_;
    }
    activity_.wait(lock, [&] { return quit_ || !tasks_.empty(); });
  }
}

void HeadlessWindowSystem::QuitMessageLoop(int exit_code) {
  std::lock_guard lock(mutex_);
  quit_ = true;
  exit_code_ = exit_code;
  activity_.notify_all();
}

bool HeadlessWindowSystem::IsShown(const ControlState& state) const {
  if (state.menu_item != nullptr) return true;
  const ControlState* at = &state;
  for (size_t depth = 0; at != nullptr && depth <= controls_.size(); ++depth) {
    if (!at->visible) return false;
    if (!at->control->parent.control) return true;
    at = Find(*at->control->parent.control);
  }
  return false;
}

bool HeadlessWindowSystem::IsUsable(ControlId control) const {
  if (!open_ || definition_ == nullptr) return false;
  const ControlState* state = Find(control);
  if (state == nullptr || !IsShown(*state)) return false;
  if (state->control != nullptr && IsComponent(state->control->kind)) return false;
  if (state->menu_item != nullptr) {
    // An item of a disabled menu cannot be reached either.
    const MenuItemDefinition* menu = nullptr;
    for (const MenuItemDefinition& item : definition_->menu) {
      if (&item == state->menu_item) break;
      if (item.level == 0) menu = &item;
    }
    if (menu != nullptr && Find(menu->id)->disabled) return false;
  }
  return IsControlUsable(*definition_, control, [&](ControlId unit) {
    const ControlState* at = Find(unit);
    return at == nullptr || at->disabled;
  });
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Reachable(ControlId control) {
  ProcessPendingTasks();
  return IsUsable(control) ? Find(control) : nullptr;
}

void HeadlessWindowSystem::Raise(ControlId control, int32_t event) {
  if (sink_ == nullptr) return;
  sink_->DispatchEvent(EventRecord{.window = definition_->id, .control = control, .event = event});
}

bool HeadlessWindowSystem::Type(ControlId control, std::string_view utf8, bool at_end) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr) return false;
  const ControlDefinition& definition = *state->control;
  bool multi_line = definition.kind == ControlKind::kRichEdit || definition.multi_line;
  switch (definition.kind) {
    case ControlKind::kEditBox:
      if (definition.input_mode == InputMode::kReadOnly) return false;
      break;
    case ControlKind::kRichEdit:
      break;
    case ControlKind::kComboBox:
      if (definition.combo_style != ComboStyle::kDropDown) return false;
      break;
    default:
      return false;
  }

  std::vector<std::string_view> content;
  std::string existing = at_end ? Utf8(state->text) : std::string();
  for (std::string_view c : Characters(existing))
    content.push_back(c);
  for (std::string_view c : Characters(utf8)) {
    if (c == "\r") continue;  // Enter arrives as "\n"
    if (c == "\n") {
      if (multi_line) content.push_back("\r\n");
      continue;
    }
    if (definition.kind == ControlKind::kEditBox && definition.input_mode == InputMode::kNumeric &&
        !(c.size() == 1 && (c[0] == '-' || (c[0] >= '0' && c[0] <= '9')))) {
      continue;
    }
    content.push_back(c);
  }
  if (definition.max_length > 0 && content.size() > static_cast<size_t>(definition.max_length)) {
    content.resize(static_cast<size_t>(definition.max_length));
  }
  std::string joined;
  for (std::string_view c : content)
    joined += c;
  state->text = Gbk(joined);
  return true;
}

bool HeadlessWindowSystem::TypeText(ControlId control, std::string_view utf8) {
  return Type(control, utf8, false);
}

bool HeadlessWindowSystem::TypeAtEnd(ControlId control, std::string_view utf8) {
  return Type(control, utf8, true);
}

bool HeadlessWindowSystem::Click(ControlId control) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr) return false;
  switch (state->control->kind) {
    case ControlKind::kButton:
      Raise(control, 0);
      break;
    case ControlKind::kRadioBox:
      // Automatic radio buttons: one checked among the radio buttons beside it.
      for (auto& [id, other] : controls_) {
        if (other.control != nullptr && other.control->kind == ControlKind::kRadioBox &&
            other.control->parent.control == state->control->parent.control &&
            other.control->parent.page == state->control->parent.page) {
          other.checked = id == control;
        }
      }
      Raise(control, 0);
      break;
    default:
      break;  // labels, boxes and panels raise nothing
  }
  return true;
}

bool HeadlessWindowSystem::PickComboItem(ControlId control, int32_t index) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox || index < 0 ||
      index >= static_cast<int32_t>(state->items.size())) {
    return false;
  }
  state->selected = index;
  if (state->control->combo_style == ComboStyle::kDropDown) {
    state->text = state->items[static_cast<size_t>(index)].text;
  }
  Raise(control, 0);
  return true;
}

bool HeadlessWindowSystem::ChooseMenuItem(ControlId item) {
  ControlState* state = Reachable(item);
  if (state == nullptr || state->menu_item == nullptr || state->menu_item->level != 1) {
    return false;
  }
  Raise(item, 0);
  return true;
}

bool HeadlessWindowSystem::SelectTabPage(ControlId tab, int32_t page) {
  ControlState* state = Reachable(tab);
  if (state == nullptr || state->control == nullptr || state->control->kind != ControlKind::kTab ||
      page < 0 || page >= static_cast<int32_t>(state->control->items.size())) {
    return false;
  }
  state->page = page;
  return true;
}

bool HeadlessWindowSystem::EnterIpAddress(ControlId control, std::string_view dotted) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kIPEditBox) {
    return false;
  }
  std::array<std::optional<int32_t>, 4> address;
  if (!dotted.empty()) {
    std::string_view rest = dotted;
    for (size_t i = 0; i < address.size(); ++i) {
      size_t dot = rest.find('.');
      if ((dot == std::string_view::npos) != (i == address.size() - 1)) return false;
      if (!ParseAddressField(rest.substr(0, dot), address[i])) return false;
      rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
    }
  }
  state->address = address;
  return true;
}

void HeadlessWindowSystem::CloseWindow() {
  ProcessPendingTasks();
  if (!open_) return;
  open_ = false;
  if (sink_ != nullptr) sink_->WindowClosed();
  QuitMessageLoop(0);
}

std::string HeadlessWindowSystem::Title() const {
  return Utf8(title_);
}

std::string HeadlessWindowSystem::TextOf(ControlId control) const {
  if (control == kWindowUnit) return Title();
  const ControlState* state = Find(control);
  return state == nullptr ? std::string() : Utf8(ContentText(*state));
}

std::string HeadlessWindowSystem::ShownText(ControlId control) const {
  const ControlState* state = Find(control);
  if (state != nullptr && state->control != nullptr &&
      state->control->kind == ControlKind::kEditBox &&
      state->control->input_mode == InputMode::kPassword) {
    return std::string(Characters(Utf8(state->text)).size(), '*');
  }
  return TextOf(control);
}

std::vector<std::string> HeadlessWindowSystem::ComboItems(ControlId control) const {
  std::vector<std::string> out;
  if (const ControlState* state = Find(control)) {
    for (const ComboItem& item : state->items)
      out.push_back(Utf8(item.text));
  }
  return out;
}

int32_t HeadlessWindowSystem::SelectedIndex(ControlId control) const {
  const ControlState* state = Find(control);
  return state == nullptr ? -1 : state->selected;
}

int32_t HeadlessWindowSystem::SelectedPage(ControlId tab) const {
  const ControlState* state = Find(tab);
  return state == nullptr ? -1 : state->page;
}

bool HeadlessWindowSystem::IsChecked(ControlId control) const {
  const ControlState* state = Find(control);
  return state != nullptr && state->checked;
}

bool HeadlessWindowSystem::IsDisabled(ControlId control) const {
  const ControlState* state = Find(control);
  return state != nullptr && state->disabled;
}

}  // namespace frame
