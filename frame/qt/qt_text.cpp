#include "frame/qt/qt_text.h"

namespace frame {
namespace {

QString WithQtLineBreaks(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

QString ToQt(std::string_view gbk) {
  return WithQtLineBreaks(QString::fromStdString(Utf8(gbk)));
}

Text FromQt(const QString& text) {
  QString frame_text = WithQtLineBreaks(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return Gbk(frame_text.toStdString());
}

QString FromDefinition(std::string_view utf8) {
  return WithQtLineBreaks(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace frame
