#include "frame/qt/message_boxes.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "frame/qt/qt_text.h"

namespace frame {
namespace {

struct ButtonInfo {
  QMessageBox::StandardButton qt;
  MessageBoxButton frame;
  const char* caption;  // as a Chinese Windows labels it
};

constexpr ButtonInfo kButtons[] = {
    {QMessageBox::Ok, MessageBoxButton::kOk, "确定"},
    {QMessageBox::Cancel, MessageBoxButton::kCancel, "取消"},
    {QMessageBox::Abort, MessageBoxButton::kAbort, "中止(&A)"},
    {QMessageBox::Retry, MessageBoxButton::kRetry, "重试(&R)"},
    {QMessageBox::Ignore, MessageBoxButton::kIgnore, "忽略(&I)"},
    {QMessageBox::Yes, MessageBoxButton::kYes, "是(&Y)"},
    {QMessageBox::No, MessageBoxButton::kNo, "否(&N)"},
};

QMessageBox::StandardButtons ButtonsOf(int32_t flags) {
  switch (flags & kMessageBoxButtonsMask) {
    case kMessageBoxOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case kMessageBoxAbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case kMessageBoxYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kMessageBoxYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case kMessageBoxRetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    default:
      return QMessageBox::Ok;
  }
}

QMessageBox::Icon IconOf(int32_t flags) {
  switch (flags & kMessageBoxIconMask) {
    case kMessageBoxIconError:
      return QMessageBox::Critical;
    case kMessageBoxIconQuestion:
      return QMessageBox::Question;
    case kMessageBoxIconWarning:
      return QMessageBox::Warning;
    case kMessageBoxIconInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

std::unique_ptr<QMessageBox> CreateMessageBox(const MessageBoxRequest& request, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(owner);
  box->setWindowTitle(ToQt(request.caption));
  box->setTextFormat(Qt::PlainText);
  box->setText(ToQt(request.text));
  box->setIcon(IconOf(request.flags));
  box->setStandardButtons(ButtonsOf(request.flags));
  for (const ButtonInfo& info : kButtons) {
    if (QAbstractButton* button = box->button(info.qt)) {
      button->setText(QString::fromUtf8(info.caption));
    }
  }
  return box;
}

MessageBoxButton AnswerOf(const QMessageBox& box, int32_t flags) {
  QAbstractButton* clicked = box.clickedButton();
  QMessageBox::StandardButton chosen =
      clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton;
  for (const ButtonInfo& info : kButtons) {
    if (info.qt == chosen) return info.frame;
  }
  return CancelAnswerOf(flags);
}

}  // namespace frame
