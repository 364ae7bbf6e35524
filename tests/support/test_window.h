// A small window with one control of each kind, for the frame's suites.
// Its handlers note their calls in a log and run whatever a test hooks in.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "frame/runtime/runtime.h"
#include "frame/window/window_model.h"

namespace test_window {

using frame::ControlId;
using frame::ControlNumber;
using frame::MenuItemNumber;

inline constexpr ControlId kPanel = ControlNumber(0x0100);
inline constexpr ControlId kInnerPanel = ControlNumber(0x0101);
inline constexpr ControlId kInnerButton = ControlNumber(0x0102);
inline constexpr ControlId kTabs = ControlNumber(0x0103);
inline constexpr ControlId kPageButton = ControlNumber(0x0104);
inline constexpr ControlId kButton = ControlNumber(0x0105);
inline constexpr ControlId kDisabledButton = ControlNumber(0x0106);
inline constexpr ControlId kCombo = ControlNumber(0x0107);
inline constexpr ControlId kEmptyCombo = ControlNumber(0x0108);
inline constexpr ControlId kEditableCombo = ControlNumber(0x0109);
inline constexpr ControlId kEdit = ControlNumber(0x010A);
inline constexpr ControlId kNumeric = ControlNumber(0x010B);
inline constexpr ControlId kPassword = ControlNumber(0x010C);
inline constexpr ControlId kReadOnly = ControlNumber(0x010D);
inline constexpr ControlId kMultiLine = ControlNumber(0x010E);
inline constexpr ControlId kHidden = ControlNumber(0x010F);
inline constexpr ControlId kLabel = ControlNumber(0x0110);
inline constexpr ControlId kRadioA = ControlNumber(0x0111);
inline constexpr ControlId kRadioB = ControlNumber(0x0112);
inline constexpr ControlId kRich = ControlNumber(0x0113);
inline constexpr ControlId kIp = ControlNumber(0x0114);
inline constexpr ControlId kBlankIp = ControlNumber(0x0115);
inline constexpr ControlId kConnection = ControlNumber(0x0116);
inline constexpr ControlId kRecords = ControlNumber(0x0117);

inline constexpr ControlId kProgramMenu = MenuItemNumber(0x1697);
inline constexpr ControlId kConnectItem = MenuItemNumber(0x1698);
inline constexpr ControlId kExitItem = MenuItemNumber(0x16e3);
inline constexpr ControlId kGreyItem = MenuItemNumber(0x16e4);

extern const frame::WindowDefinition kWindow;
extern const frame::Program kProgram;

// What the handlers did, in order: "start", "created", "button", ...
std::vector<std::string> Log();
void Note(const std::string& entry);

// Run inside the handler of the same name, after it noted its call.
struct Hooks {
  std::function<void()> created;
  std::function<void()> button;
  std::function<void()> combo;
  std::function<void()> menu;
  std::function<void()> exit_routine;
};
Hooks& hooks();

// Clears the log and the hooks.
void Reset();

}  // namespace test_window
