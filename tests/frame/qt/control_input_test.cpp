// What the operator can type into each kind of box, and how the texts that
// handlers read and write look in the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>

#include "acctdesk/main_window.h"
#include "frame/qt/input_rules.h"
#include "frame/qt/ip_address_edit.h"
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

// The ways a text arrives in a box besides single keys.
enum class Path { kKeyboardPaste, kMenuPaste, kDrop, kInputMethod };

const char* NameOf(Path path) {
  switch (path) {
    case Path::kKeyboardPaste:
      return "Ctrl+V";
    case Path::kMenuPaste:
      return "context-menu paste";
    case Path::kDrop:
      return "drop";
    case Path::kInputMethod:
      return "input method";
  }
  return "";
}

// What the mouse meets in the middle of a box: a scrolling box's viewport,
// an editable combo's text field.
QWidget& MouseTarget(QWidget& box) {
  QWidget* under = box.childAt(box.rect().center());
  return under != nullptr ? *under : box;
}

void PutCaretAtEnd(QWidget& box) {
  if (auto* line = qobject_cast<QLineEdit*>(&box)) line->end(false);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(&box)) plain->moveCursor(QTextCursor::End);
}

// Hands `text` to the focused box the way `path` does, with the caret at the
// end of the box's text.
void Deliver(testing_support::QtProgram& program, QWidget& box, Path path, const QString& text) {
  PutCaretAtEnd(box);
  QWidget& target = MouseTarget(box);
  switch (path) {
    case Path::kKeyboardPaste: {
      QGuiApplication::clipboard()->setText(text);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
      QCoreApplication::sendEvent(&box, &press);
      break;
    }
    case Path::kMenuPaste: {
      QGuiApplication::clipboard()->setText(text);
      QPoint at = target.rect().center();
      QContextMenuEvent open(QContextMenuEvent::Mouse, at, target.mapToGlobal(at));
      QCoreApplication::sendEvent(&target, &open);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(menu, nullptr);
      for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QStringLiteral("&Paste"))) {
          QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
      }
      ASSERT_FALSE(menu->isVisible());
      break;
    }
    case Path::kDrop: {
      // At the right end: after the box's text.
      QPoint at(target.width() - 2, target.height() - 2);
      QMimeData dragged;
      dragged.setText(text);
      QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&target, &enter);
      ASSERT_TRUE(enter.isAccepted());
      QDragMoveEvent move(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&target, &move);
      QDropEvent drop(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(&target, &drop);
      break;
    }
    case Path::kInputMethod: {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QCoreApplication::sendEvent(&box, &commit);
      break;
    }
  }
  program.ProcessEvents();
}

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

TEST_F(ControlInputTest, EveryWayATextArrivesKeepsTheBoxRules) {
  struct Case {
    frame::ControlId box;
    Property text;
    const char* before;
    const char* arriving;
    const char* after;
    bool refused = false;
  };
  const Case cases[] = {
      // A single-line box takes the text up to its first line break.
      {kEdit, Property::kText, "初始", "newpw\r\n[Evil]\r\nIP=evil", "初始newpw"},
      {kEdit, Property::kText, "O'", "Brien的\"号\"\n第二行", "O'Brien的\"号\""},
      {kEdit, Property::kText, "留着", "\r\n[Evil]", "留着"},
      {kPassword, Property::kText, "", "newpw\r\n[Evil]\r\nIP=evil", "newpw"},
      {kEditableCombo, Property::kContentText, "", "100\r200", "100"},
      // Numeric: whole or not at all, so that no digits are joined into
      // another number; five characters at most, counting what is there.
      {kNumeric, Property::kText, "", "-50", "-50"},
      {kNumeric, Property::kText, "", "12.5", "", true},
      {kNumeric, Property::kText, "", "1e3", "", true},
      {kNumeric, Property::kText, "-12", "3a4中5-6", "-12", true},
      {kNumeric, Property::kText, "7", " 8", "7", true},
      {kNumeric, Property::kText, "", "12\nabcdefgh", "12"},
      {kNumeric, Property::kText, "", "1234567", "12345"},
      {kNumeric, Property::kText, "99999", "1", "99999"},
      // A multi-line box keeps the line breaks.
      {kRich, Property::kContentText, "富文本", "甲\r\n乙\r\n", "富文本甲\r\n乙\r\n"},
  };
  for (Path path : {Path::kKeyboardPaste, Path::kMenuPaste, Path::kDrop, Path::kInputMethod}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(NameOf(path)) + " of " + ::testing::PrintToString(c.arriving));
      Set(c.box, c.text, Gbk(c.before));
      program_.Click(c.box);
      QWidget* focus = program_.window().focusWidget();
      ASSERT_NE(focus, nullptr);
      ASSERT_TRUE(focus == &program_.widget(c.box) || program_.widget(c.box).isAncestorOf(focus));
      refusals = 0;
      Deliver(program_, *focus, path, Q(c.arriving));
      EXPECT_EQ(Get(c.box, c.text), Gbk(c.after));
      EXPECT_EQ(refusals, c.refused ? 1 : 0);
    }
  }
}

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

  // Keys are taken one by one, a paste whole or not at all.
  Set(kNumeric, Property::kText, "");
  ASSERT_TRUE(program_.Paste(kNumeric, Q("7b8c9012")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "");
  EXPECT_EQ(refusals, 1);
  ASSERT_TRUE(program_.Type(kNumeric, Q("7b8c9012")));
  EXPECT_EQ(Get(kNumeric, Property::kText), "78901");
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
