// Message boxes as the platform's style flags describe them.
#pragma once

#include <memory>

#include "frame/window/window_system.h"

class QMessageBox;
class QWidget;

namespace frame {

// A box with the request's caption, text, buttons and icon, not yet shown.
// An owner keeps the box above it and centres it on itself.
std::unique_ptr<QMessageBox> CreateMessageBox(const MessageBoxRequest& request, QWidget* owner);

// The button the operator chose; a box closed without a choice answers as
// the platform's cancel would.
MessageBoxButton AnswerOf(const QMessageBox& box, int32_t flags);

}  // namespace frame
