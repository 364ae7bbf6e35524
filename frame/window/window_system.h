// The seam between the frame and a window toolkit.
//
// The UI thread owns the window and every control. Calls marked "UI thread"
// are made only there; the frame hands other threads' requests over with
// InvokeOnUiThread. Texts cross this interface as GBK with "\r\n" line breaks.
#pragma once

#include <cstdint>
#include <functional>

#include "frame/text/gbk.h"
#include "frame/window/property_value.h"
#include "frame/window/window_model.h"

namespace frame {

// Receives what the operator does, on the UI thread.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void DispatchEvent(const EventRecord& record) = 0;
  // The close box was used: the window is gone and the message loop ends
  // with exit code 0.
  virtual void WindowClosed() = 0;
};

// Buttons as the platform numbers them.
enum class MessageBoxButton : int32_t {
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7,
};

// Style flags of a message box, as the platform numbers them.
inline constexpr int32_t kMessageBoxButtonsMask = 0xF;
inline constexpr int32_t kMessageBoxOk = 0x0;
inline constexpr int32_t kMessageBoxOkCancel = 0x1;
inline constexpr int32_t kMessageBoxAbortRetryIgnore = 0x2;
inline constexpr int32_t kMessageBoxYesNoCancel = 0x3;
inline constexpr int32_t kMessageBoxYesNo = 0x4;
inline constexpr int32_t kMessageBoxRetryCancel = 0x5;
inline constexpr int32_t kMessageBoxIconMask = 0xF0;
inline constexpr int32_t kMessageBoxIconError = 0x10;
inline constexpr int32_t kMessageBoxIconQuestion = 0x20;
inline constexpr int32_t kMessageBoxIconWarning = 0x30;
inline constexpr int32_t kMessageBoxIconInformation = 0x40;
inline constexpr int32_t kMessageBoxYesNoQuestion = kMessageBoxYesNo | kMessageBoxIconQuestion;
inline constexpr int32_t kMessageBoxSystemModal = 0x1000;
inline constexpr int32_t kMessageBoxTaskModal = 0x2000;

// The answer of a box that is dismissed without a choice (Esc, the close
// box, or nobody to answer): OK for an OK box, No for Yes/No, else its cancel.
constexpr MessageBoxButton CancelAnswerOf(int32_t flags) {
  switch (flags & kMessageBoxButtonsMask) {
    case kMessageBoxOk:
      return MessageBoxButton::kOk;
    case kMessageBoxAbortRetryIgnore:
      return MessageBoxButton::kAbort;
    case kMessageBoxYesNo:
      return MessageBoxButton::kNo;
    default:
      return MessageBoxButton::kCancel;
  }
}

struct MessageBoxRequest {
  Text text;
  Text caption;
  int32_t flags = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Any thread.
  virtual bool IsUiThread() const = 0;
  // Runs the task on the UI thread and returns once it has run.
  virtual void InvokeOnUiThread(const std::function<void()>& task) = 0;
  // On the UI thread the box is modal for the window; from another thread it
  // blocks only the caller and the window stays usable.
  virtual MessageBoxButton ShowMessageBox(const MessageBoxRequest& request) = 0;

  // UI thread.
  virtual bool BuildWindow(const WindowDefinition& definition, EventSink& sink) = 0;
  virtual PropertyValue GetProperty(WindowId window, ControlId control, Property property) = 0;
  virtual void SetProperty(WindowId window, ControlId control, Property property,
                           const PropertyValue& value) = 0;
  // Returns the new item's index, or -1 when the list refused it.
  virtual int32_t AddComboItem(WindowId window, ControlId control, const Text& text,
                               int32_t data) = 0;
  virtual void ClearComboItems(WindowId window, ControlId control) = 0;
  // Adds the text at the end, whatever the operator had selected.
  virtual void AppendEditText(WindowId window, ControlId control, const Text& text) = 0;
  virtual void FocusControl(WindowId window, ControlId control) = 0;
  // Runs until the window is closed or QuitMessageLoop is called; returns the exit code.
  virtual int RunMessageLoop() = 0;
  virtual void QuitMessageLoop(int exit_code) = 0;
};

}  // namespace frame
