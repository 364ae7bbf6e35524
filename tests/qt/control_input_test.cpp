// What the operator can type into each kind of box, and how the texts that
// handlers read and write look in the window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>

#include "frame/control_services.h"
#include "frame/qt/ip_address_edit.h"
#include "tests/frame/test_window.h"
#include "tests/qt/qt_program.h"
#include "tests/qt/sample_window_test.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using testing_support::Get;
using testing_support::Q;
using testing_support::Set;

using ControlInputTest = testing_support::SampleWindowTest;

TEST_F(ControlInputTest, PasswordBoxShowsStarsAndReadsTheRealText) {
  ASSERT_TRUE(program_.Type(kPassword, Q("ab中1")));
  EXPECT_EQ(program_.widget<QLineEdit>(kPassword).displayText(), Q("****"));
  EXPECT_EQ(Get(kPassword, Property::kText), Gbk("ab中1"));

  Set(kPassword, Property::kText, Gbk("密码"));
  EXPECT_EQ(program_.widget<QLineEdit>(kPassword).displayText(), Q("**"));
}

TEST_F(ControlInputTest, NumericBoxTakesDigitsAndMinusUpToItsMaximumLength) {
  ASSERT_TRUE(program_.Type(kNumeric, Q("1a2-b3中")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "12-3");
  ASSERT_TRUE(program_.Type(kNumeric, Q("4567")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "12-34") << "five characters at most";

  // The limit holds the operator only: a handler's longer value stays whole.
  Set(kNumeric, Property::kText, "1234567");
  ASSERT_TRUE(program_.Type(kNumeric, Q("8")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "1234567");

  Set(kNumeric, Property::kText, "");
  ASSERT_TRUE(program_.Paste(kNumeric, Q("7b8c9012")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "78901");
}

TEST_F(ControlInputTest, BoxesThatCannotTakeInputKeepTheirText) {
  EXPECT_TRUE(program_.Type(kReadOnly, Q("改")));
  EXPECT_EQ(Get(kReadOnly, Property::kText), Gbk("只读"));
  Set(kReadOnly, Property::kText, Gbk("处理程序写的"));
  EXPECT_EQ(program_.widget<QLineEdit>(kReadOnly).text(), Q("处理程序写的"));

  Set(kEdit, Property::kDisabled, true);
  EXPECT_FALSE(program_.Type(kEdit, Q("x")));
  EXPECT_FALSE(program_.Type(kHidden, Q("x")));
  EXPECT_EQ(Get(kEdit, Property::kText), Gbk("初始"));
  EXPECT_EQ(Get(kHidden, Property::kText), "");
}

TEST_F(ControlInputTest, MultiLineTextsKeepWindowsLineBreaksAndAppendAtTheEnd) {
  struct Case {
    frame::ControlId box;
    Property text;
  };
  for (Case c : {Case{kMultiLine, Property::kText}, Case{kRich, Property::kContentText}}) {
    auto& box = program_.widget<QPlainTextEdit>(c.box);
    Set(c.box, c.text, Gbk("甲\r\n乙"));
    EXPECT_EQ(box.toPlainText(), Q("甲\n乙"));
    EXPECT_EQ(Get(c.box, c.text), Gbk("甲\r\n乙"));

    box.selectAll();
    frame::AppendEditText(kMainWindowId, c.box, Gbk("丙\r\n"), Gbk("丁"));
    EXPECT_EQ(Get(c.box, c.text), Gbk("甲\r\n乙丙\r\n丁"));
    EXPECT_FALSE(box.textCursor().hasSelection());
    EXPECT_TRUE(box.textCursor().atEnd());
  }
  EXPECT_EQ(program_.widget<QPlainTextEdit>(kRich).lineWrapMode(), QPlainTextEdit::WidgetWidth);

  program_.widget<QLineEdit>(kEdit).selectAll();
  frame::AppendEditText(kMainWindowId, kEdit, Gbk("尾"));
  EXPECT_EQ(Get(kEdit, Property::kText), Gbk("初始尾"));
}

TEST_F(ControlInputTest, IpAddressBoxesReadTheirFourFieldsOrNothing) {
  EXPECT_EQ(Get(kIp, Property::kContentText), "127.0.0.1");
  EXPECT_EQ(Get(kBlankIp, Property::kContentText), "");

  auto& blank = program_.widget<frame::IpAddressEdit>(kBlankIp);
  ASSERT_TRUE(program_.TypeInto(*blank.Field(0), Q("10")));
  EXPECT_EQ(Get(kBlankIp, Property::kContentText), "10.0.0.0");
  ASSERT_TRUE(program_.TypeInto(*blank.Field(1), Q("300")));
  EXPECT_EQ(Get(kBlankIp, Property::kContentText), "10.255.0.0");
  ASSERT_TRUE(program_.TypeInto(*blank.Field(2), Q("1.2x")));  // the dot moves on
  EXPECT_EQ(Get(kBlankIp, Property::kContentText), "10.255.1.2");
}

}  // namespace
