// How Qt's boxes take what the operator gives them beyond the window
// contract (tests/frame/window): a drag's source, a tool's own box, and the
// caret and selection around handlers' appends.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

#include "acctdesk/main_window.h"
#include "frame/qt/input_rules.h"
#include "frame/services/control_services.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using testing_support::Get;
using testing_support::Q;
using testing_support::Set;

int refusals = 0;
void CountRefusal() {
  ++refusals;
}

// Counts the refusal sounds the boxes make instead of beeping.
class ControlInputTest : public testing_support::SampleWindowTest {
 protected:
  void SetUp() override {
    SampleWindowTest::SetUp();
    refusals = 0;
    frame::SetRefusalSound(&CountRefusal);
  }
  void TearDown() override {
    frame::SetRefusalSound(nullptr);
    SampleWindowTest::TearDown();
  }
};

// A refused drop is not taken, so that the source of a move keeps its text.
TEST_F(ControlInputTest, ARefusedDropKeepsTheTextItWouldHaveMoved) {
  Set(kNumeric, Property::kText, "123");
  auto& box = program_.widget<QLineEdit>(kNumeric);
  program_.Click(kNumeric);
  box.setSelection(0, 2);
  QMimeData dragged;
  dragged.setText(QStringLiteral("1a"));
  QPoint at(box.width() - 2, box.height() / 2);
  QDragEnterEvent enter(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &enter);
  QDropEvent drop(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&box, &drop);
  EXPECT_FALSE(drop.isAccepted());
  EXPECT_EQ(Get(kNumeric, Property::kText), "123");
  EXPECT_EQ(refusals, 1);
}

// The operator's report: numbers pasted into acctdesk's 编辑框2.
TEST(ToolInputTest, ANumberPastedIntoANumericBoxIsTakenWholeOrNotAtAll) {
  testing_support::QtProgram program(acctdesk::kProgram);
  ASSERT_TRUE(program.Start());
  struct Case {
    const char* pasted;
    const char* shown;
  };
  for (const Case& c : {Case{"12.5", ""}, Case{"-50", "-50"}, Case{"1e3", ""},
                        Case{"2147483647", "2147483647"}, Case{"１２", ""}}) {
    SCOPED_TRACE(c.pasted);
    Set(acctdesk::kSetCashValueBox, Property::kText, "");
    ASSERT_TRUE(program.Paste(acctdesk::kSetCashValueBox, Q(c.pasted)));
    EXPECT_EQ(Get(acctdesk::kSetCashValueBox, Property::kText), c.shown);
  }
}

// Handlers' texts show with Qt's line breaks and their appends go to the
// end whatever the operator had selected.
TEST_F(ControlInputTest, AppendingIgnoresTheSelectionAndLeavesTheCaretAtTheEnd) {
  struct Case {
    frame::ControlId box;
    Property text;
  };
  for (Case c : {Case{kMultiLine, Property::kText}, Case{kRich, Property::kContentText}}) {
    auto& box = program_.widget<QPlainTextEdit>(c.box);
    Set(c.box, c.text, Gbk("甲\r\n乙"));
    EXPECT_EQ(box.toPlainText(), Q("甲\n乙"));

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

}  // namespace
