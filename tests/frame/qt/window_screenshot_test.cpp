// Renders windows to PNG files in the build directory, so that a person can
// look at a whole window without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QTabBar>
#include <QWidget>
#include <fstream>
#include <string>

#include "acctdesk/main_window.h"
#include "frame/qt/tab_control.h"
#include "frame/services/control_services.h"
#include "gmdesk/main_window.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/support/test_window.h"

namespace {

using testing_support::QtProgram;

std::string Render(QtProgram& program, const std::string& file_name) {
  std::string path = std::string(SCREENSHOT_DIRECTORY) + "/" + file_name;
  program.ProcessEvents();
  QPixmap shot = program.window().grab();
  EXPECT_EQ(shot.size(), program.window().size());
  EXPECT_TRUE(shot.save(QString::fromStdString(path), "PNG")) << path;
  return path;
}

// The area of a picture of the window that the control covers, in one
// format whether grabbed or read back from a file.
QImage ControlArea(QtProgram& program, const QImage& shot, frame::ControlId control) {
  QWidget& widget = program.widget(control);
  QRect area(widget.mapTo(&program.window(), QPoint(0, 0)), widget.size());
  return shot.copy(area).convertToFormat(QImage::Format_RGB32);
}

TEST(WindowScreenshotTest, RendersTheSampleWindow) {
  test_window::Reset();
  QtProgram program(test_window::kProgram);
  ASSERT_TRUE(program.Start());
  program.ProcessEvents();
  const QImage untouched = program.window().grab().toImage();
  // Show what the operator would see once something is typed and picked.
  frame::SetControlProperty(frame::kMainWindowId, test_window::kPassword, frame::Property::kText,
                            frame::Gbk("密码123"));
  frame::SetControlProperty(frame::kMainWindowId, test_window::kCombo,
                            frame::Property::kSelectedIndex, 1);
  frame::SetControlProperty(frame::kMainWindowId, test_window::kRadioA, frame::Property::kChecked,
                            true);
  frame::AppendEditText(frame::kMainWindowId, test_window::kMultiLine, frame::Gbk("第一行\r\n"),
                        frame::Gbk("第二行"));
  std::string path = Render(program, "sample_window.png");

  // The file holds the window as it now looks: each control that was
  // changed looks different there, and one that was not looks the same.
  const QImage saved(QString::fromStdString(path));
  ASSERT_EQ(saved.size(), untouched.size());
  struct Area {
    frame::ControlId control;
    const char* what;
    bool changed;
  };
  for (const Area& area : {Area{test_window::kPassword, "password", true},
                           Area{test_window::kCombo, "combo box", true},
                           Area{test_window::kRadioA, "radio button", true},
                           Area{test_window::kMultiLine, "multi-line box", true},
                           Area{test_window::kLabel, "label", false},
                           Area{test_window::kDisabledButton, "disabled button", false}}) {
    EXPECT_EQ(
        ControlArea(program, saved, area.control) != ControlArea(program, untouched, area.control),
        area.changed)
        << area.what;
  }
  test_window::Reset();
}

TEST(WindowScreenshotTest, RendersTheToolWindows) {
  {
    QtProgram program(gmdesk::kProgram);
    std::ofstream(program.directory() / "Config.ini", std::ios::binary)
        << "[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=secret\r\nDB1=KV7_Member\r\n"
           "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n";
    ASSERT_TRUE(program.Start());
    // The created handler filled the settings boxes before the window took input.
    QWidget* server = program.window_system().ControlWidget(gmdesk::kServerBox);
    auto* password =
        qobject_cast<QLineEdit*>(program.window_system().ControlWidget(gmdesk::kPasswordBox));
    ASSERT_NE(qobject_cast<QLineEdit*>(server), nullptr);
    ASSERT_NE(password, nullptr);
    EXPECT_EQ(qobject_cast<QLineEdit*>(server)->text(), QString("127.0.0.1,1433"));
    EXPECT_EQ(password->text(), QString("secret"));
    EXPECT_EQ(password->displayText(), QString("******"));
    // The page whose hint wraps; the panel is disabled until connecting.
    program.widget<frame::TabControl>(gmdesk::kNoticeTabs).Strip()->setCurrentIndex(2);
    Render(program, "gmdesk_window.png");
    // Before connecting: the player panel's three coloured areas.
    QWidget& panel = program.widget(gmdesk::kPlayerPanel);
    EXPECT_FALSE(panel.isEnabled());
    std::string path = std::string(SCREENSHOT_DIRECTORY) + "/gmdesk_player_panel.png";
    EXPECT_TRUE(panel.grab().save(QString::fromStdString(path), "PNG")) << path;
  }
  {
    QtProgram program(acctdesk::kProgram);
    ASSERT_TRUE(program.Start());
    Render(program, "acctdesk_window.png");
  }
}

}  // namespace
