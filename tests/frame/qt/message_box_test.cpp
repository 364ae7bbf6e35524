// Message boxes raised on the UI thread: modal for the window, with the
// buttons, icon and texts the handler asked for, answering as the frame
// numbers the buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

#include "frame/services/control_services.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using testing_support::Q;

using MessageBoxTest = testing_support::SampleWindowTest;

TEST_F(MessageBoxTest, AUiThreadBoxIsModalAndAnswersWithTheButtonChosen) {
  struct Case {
    int32_t flags;
    QMessageBox::StandardButton chosen;
    int32_t result;
    QMessageBox::Icon icon;
    QStringList buttons;
  };
  const Case cases[] = {
      {0x4, QMessageBox::Yes, 5, QMessageBox::NoIcon, {Q("是(&Y)"), Q("否(&N)")}},
      {0x4, QMessageBox::No, 6, QMessageBox::NoIcon, {Q("是(&Y)"), Q("否(&N)")}},
      {0x24, QMessageBox::Yes, 5, QMessageBox::Question, {Q("是(&Y)"), Q("否(&N)")}},
      {0x10, QMessageBox::Ok, 0, QMessageBox::Critical, {Q("确定")}},
      {0x0, QMessageBox::Ok, 0, QMessageBox::NoIcon, {Q("确定")}},
  };
  for (const Case& c : cases) {
    Reset();
    int32_t result = -1;
    bool asking = false;  // a click that got through the box must not ask again
    hooks().button = [&] {
      if (std::exchange(asking, true)) return;
      result = frame::ShowMessageBox(Gbk("是否退出\r\n工具？"), c.flags);
      asking = false;
    };
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    program_.AnswerNextMessageBox(c.chosen, [&](QMessageBox& box) {
      EXPECT_EQ(box.parentWidget(), &program_.window()) << "centred on the window";
      title = box.windowTitle();
      text = box.text();
      icon = box.icon();
      for (QAbstractButton* button : box.buttons())
        buttons.append(button->text());
      program_.Click(kButton);  // the window takes no input while the box is open
    });
    program_.Click(kButton);

    EXPECT_EQ(result, c.result) << c.flags;
    EXPECT_EQ(Log(), (std::vector<std::string>{"button"})) << c.flags;
    EXPECT_EQ(title, Q("信息："));
    EXPECT_EQ(text, Q("是否退出\n工具？"));
    EXPECT_EQ(icon, c.icon) << c.flags;
    buttons.sort();
    QStringList expected = c.buttons;
    expected.sort();
    EXPECT_EQ(buttons, expected) << c.flags;
  }
}

TEST_F(MessageBoxTest, ABoxShowsTheCaptionItIsGiven) {
  QString title;
  hooks().button = [] { frame::ShowMessageBox(Gbk("连接失败"), 0, Gbk("错误")); };
  program_.AnswerNextMessageBox(QMessageBox::Ok,
                                [&](QMessageBox& box) { title = box.windowTitle(); });
  program_.Click(kButton);
  EXPECT_EQ(title, Q("错误"));
}

}  // namespace
