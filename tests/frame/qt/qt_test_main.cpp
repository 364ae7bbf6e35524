// The Qt suites share one QApplication per process, as a program has.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler default_handler = nullptr;

// The offscreen platform says so each time a menu or list opens.
void DropOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
  if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
  default_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (CTest's discovery) needs no window system.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  default_handler = qInstallMessageHandler(DropOffscreenNotices);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
