// Worker threads: their reads and writes run on the UI thread while the loop
// runs, and their message boxes block only them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <atomic>
#include <thread>

#include "frame/services/control_services.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using testing_support::Q;

using WorkerThreadTest = testing_support::SampleWindowTest;

TEST_F(WorkerThreadTest, AWorkersWritesShowWhileTheLoopRuns) {
  frame::Text read_back;
  std::thread worker([&] {
    frame::SetControlProperty(kMainWindowId, kEdit, Property::kText, Gbk("工人写的"));
    frame::AppendEditText(kMainWindowId, kMultiLine, Gbk("一\r\n"), Gbk("二"));
    frame::AddComboItem(kMainWindowId, kEmptyCombo, Gbk("新项"));
    frame::SetControlProperty(kMainWindowId, kButton, Property::kCaption, Gbk("完成"));
    read_back = frame::GetControlProperty(kMainWindowId, kEdit, Property::kText).AsText();
    program_.window_system().QuitMessageLoop(7);
  });
  EXPECT_EQ(program_.window_system().RunMessageLoop(), 7);
  worker.join();

  EXPECT_EQ(program_.widget<QLineEdit>(kEdit).text(), Q("工人写的"));
  EXPECT_EQ(program_.widget<QPlainTextEdit>(kMultiLine).toPlainText(), Q("一\n二"));
  EXPECT_EQ(program_.widget<QComboBox>(kEmptyCombo).itemText(0), Q("新项"));
  EXPECT_EQ(program_.widget<QPushButton>(kButton).text(), Q("完成"));
  EXPECT_EQ(read_back, Gbk("工人写的"));
}

TEST_F(WorkerThreadTest, WorkersBoxesLeaveTheWindowUsableAndBlockOnlyTheirWorkers) {
  std::atomic<int32_t> question{-1};
  std::atomic<int32_t> notice{-1};
  std::thread asking([&] { question = frame::ShowMessageBox(Gbk("是否继续？"), 4); });
  std::thread telling([&] { notice = frame::ShowMessageBox(Gbk("连接成功")); });
  ASSERT_TRUE(program_.WaitUntil([&] { return program_.OpenMessageBoxes().size() == 2; }));

  program_.Click(kButton);
  EXPECT_EQ(Log(), (std::vector<std::string>{"start", "created", "button"}));
  EXPECT_EQ(question, -1);
  EXPECT_EQ(notice, -1);

  auto box_saying = [&](const char* text) {
    for (QMessageBox* box : program_.OpenMessageBoxes()) {
      if (box->text() == Q(text)) return box;
    }
    return static_cast<QMessageBox*>(nullptr);
  };
  ASSERT_NE(box_saying("连接成功"), nullptr);
  EXPECT_FALSE(box_saying("连接成功")->isModal());
  program_.ClickButton(*box_saying("连接成功"), QMessageBox::Ok);
  telling.join();
  EXPECT_EQ(notice, 0);
  EXPECT_EQ(question, -1) << "the other worker still waits";

  ASSERT_NE(box_saying("是否继续？"), nullptr);
  program_.ClickButton(*box_saying("是否继续？"), QMessageBox::No);
  asking.join();
  EXPECT_EQ(question, 6);
}

TEST_F(WorkerThreadTest, AWorkersBoxStaysAboveTheWindowAndTakesTheKeyboard) {
  std::atomic<int32_t> answer{-1};
  std::thread worker([&] { answer = frame::ShowMessageBox(Gbk("提交黄色区域数据成功")); });
  QMessageBox* box = program_.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->parentWidget(), &program_.window());
  EXPECT_TRUE(program_.WaitUntil([&] { return QApplication::activeWindow() == box; }));

  // The operator's Enter closes the box rather than reaching the window.
  QWidget* focus = QApplication::focusWidget();
  bool in_box = focus != nullptr && box->isAncestorOf(focus);
  EXPECT_TRUE(in_box);
  if (in_box) QTest::keyClick(focus, Qt::Key_Return);
  bool answered = program_.WaitUntil([&] { return answer != -1; });
  EXPECT_TRUE(answered);
  if (!answered) program_.ClickButton(*box, QMessageBox::Ok);
  worker.join();
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(Log(), (std::vector<std::string>{"start", "created"}));
}

}  // namespace
