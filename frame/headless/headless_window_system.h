// A window system without a screen: control state in memory, driven by an
// operator API that obeys the rules a person meets at the real window (no
// input into disabled or hidden controls, and the window contract's rules in
// frame/window for properties, typing, address fields and lists).
//
// The thread that constructs it is the UI thread. Other threads' requests
// wait in a queue until the UI thread pumps it (ProcessPendingTasks, the
// message loop, or the waits below).
//
// Whoever owns it lets every worker finish before destroying it.
//
// The operator API speaks UTF-8, as a person reads and types; line breaks
// stay "\r\n" as the frame stores them.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "frame/window/control_properties.h"
#include "frame/window/ip_address_rules.h"
#include "frame/window/window_system.h"

namespace frame {

class HeadlessWindowSystem final : public WindowSystem {
 public:
  struct ShownMessageBox {
    std::string text;  // UTF-8
    std::string caption;
    int32_t flags = 0;
    bool from_worker = false;
    std::optional<MessageBoxButton> answer;  // none while the box is open
    bool answered_by_default = false;        // nobody had scripted an answer
  };

  HeadlessWindowSystem();
  HeadlessWindowSystem(const HeadlessWindowSystem&) = delete;
  HeadlessWindowSystem& operator=(const HeadlessWindowSystem&) = delete;
  ~HeadlessWindowSystem() override;

  // WindowSystem
  bool IsUiThread() const override;
  void InvokeOnUiThread(const std::function<void()>& task) override;
  MessageBoxButton ShowMessageBox(const MessageBoxRequest& request) override;
  bool BuildWindow(const WindowDefinition& definition, EventSink& sink) override;
  PropertyValue GetProperty(WindowId window, ControlId control, Property property) override;
  void SetProperty(WindowId window, ControlId control, Property property,
                   const PropertyValue& value) override;
  int32_t AddComboItem(WindowId window, ControlId control, const Text& text, int32_t data) override;
  void ClearComboItems(WindowId window, ControlId control) override;
  void AppendEditText(WindowId window, ControlId control, const Text& text) override;
  void FocusControl(WindowId window, ControlId control) override;
  int RunMessageLoop() override;
  void QuitMessageLoop(int exit_code) override;

  // Operator actions, on the UI thread. Each first runs the pending requests
  // of other threads, as a live window would have, and returns false when the
  // control could not take the action.
  bool TypeText(ControlId control, std::string_view utf8);  // replaces the content
  bool TypeAtEnd(ControlId control, std::string_view utf8);
  bool Click(ControlId control);
  bool PickComboItem(ControlId control, int32_t index);
  bool ChooseMenuItem(ControlId item);
  bool SelectTabPage(ControlId tab, int32_t page);
  // A pasted, dropped or input-method text, at the end; one the box's rules
  // refuse leaves it as it was and makes the refusal sound.
  bool InsertText(ControlId control, std::string_view utf8);
  bool EnterIpAddress(ControlId control, std::string_view dotted);  // "" blanks it
  // Keys into one field of an address box: a full field or "." moves on.
  bool TypeIntoAddressField(ControlId control, int field, std::string_view keys);
  void CloseWindow();

  // Message boxes. Boxes take scripted answers in order. A box on the UI
  // thread without one gets the platform's cancel answer (OK for an OK box,
  // No for Yes/No); a worker's box without one stays open until answered.
  void AnswerNextMessageBox(MessageBoxButton answer);
  std::vector<ShownMessageBox> MessageBoxes() const;  // every box so far, in order
  std::optional<ShownMessageBox> WaitForOpenMessageBox(std::chrono::milliseconds timeout);
  bool AnswerOpenMessageBox(MessageBoxButton answer);  // the oldest open box
  size_t OpenMessageBoxCount() const;
  // Closes every open box with its cancel answer.
  void DismissOpenMessageBoxes();

  // Requests of other threads.
  void ProcessPendingTasks();
  // Waits until a request or a message box arrives, or the time is up.
  void WaitForActivity(std::chrono::milliseconds timeout);
  // Queues a task for the UI thread without waiting (scripts the message loop).
  void Post(std::function<void()> task);

  // What the operator sees (UTF-8).
  bool IsWindowOpen() const { return open_; }
  std::string Title() const;
  std::string TextOf(ControlId control) const;     // the control's text, caption or address
  std::string ShownText(ControlId control) const;  // password boxes show "*"
  std::vector<std::string> ComboItems(ControlId control) const;
  int32_t SelectedIndex(ControlId control) const;
  int32_t SelectedPage(ControlId tab) const;
  bool IsChecked(ControlId control) const;
  bool IsDisabled(ControlId control) const;  // its own flag
  bool IsUsable(ControlId control) const;    // takes input now
  std::optional<ControlId> FocusedControl() const { return focused_; }
  // How often a box refused what arrived.
  int RefusalCount() const { return refusals_; }

  // Every property that handlers wrote, in order (UI thread).
  struct PropertyWrite {
    ControlId control{};
    Property property{};
    PropertyValue value;
    friend bool operator==(const PropertyWrite&, const PropertyWrite&) = default;
  };
  const std::vector<PropertyWrite>& PropertyWrites() const { return writes_; }

 private:
  struct ComboItem {
    Text text;
    int32_t data = 0;
  };
  struct ControlState {
    const ControlDefinition* control = nullptr;
    const MenuItemDefinition* menu_item = nullptr;
    ControlFlags flags;  // a menu item's disabled flag too
    Text text;           // text, caption, or the typed text of a drop-down combo
    std::vector<ComboItem> items;
    int32_t selected = -1;
    bool checked = false;
    IpAddress address;
    int32_t page = 0;
  };
  struct Task {
    std::function<void()> run;
    bool done = false;
    std::exception_ptr error;
  };
  struct OpenBox {
    size_t history_index = 0;
  };

  ControlState* Find(WindowId window, ControlId control);
  const ControlState* Find(ControlId control) const;
  ControlState* Find(ControlId control);
  bool IsShown(const ControlState& state) const;
  // The control if the operator can act on it now.
  ControlState* Reachable(ControlId control);
  bool Type(ControlId control, std::string_view utf8, bool at_end);
  void Raise(ControlId control, int32_t event);
  Text ContentText(const ControlState& state) const;
  PropertyValue ReadControl(const ControlState& state, Property property) const;
  void WriteControl(ControlState& state, Property property, const PropertyValue& value);

  const std::thread::id ui_thread_;
  const WindowDefinition* definition_ = nullptr;
  EventSink* sink_ = nullptr;
  bool open_ = false;
  Text title_;
  std::map<ControlId, ControlState> controls_;
  std::optional<ControlId> focused_;
  bool pumping_ = false;
  std::vector<PropertyWrite> writes_;
  int refusals_ = 0;

  // Shared with other threads; never held while running a task or raising an event.
  mutable std::mutex mutex_;
  std::condition_variable activity_;
  std::deque<std::shared_ptr<Task>> tasks_;
  std::deque<MessageBoxButton> scripted_answers_;
  std::vector<ShownMessageBox> boxes_;
  std::deque<OpenBox> open_boxes_;
  bool quit_ = false;
  int exit_code_ = 0;
};

}  // namespace frame
