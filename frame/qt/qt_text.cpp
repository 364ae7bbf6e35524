#include "frame/qt/qt_text.h"

#include <utility>

namespace frame {
namespace {

QString WithQtLineBreaks(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

// Through the frame's own mapping, as at the database's edge, so that a text
// read from the database shows and comes back with the same code points.
QString ToQt(std::string_view gbk) {
  QString text;
  text.reserve(static_cast<qsizetype>(gbk.size()));
  for (size_t at = 0; at < gbk.size();) {
    char32_t c = NextGbk(gbk, at);
    if (c < 0x10000) {
      text += QChar(static_cast<char16_t>(c));
    } else {
      text += QChar(QChar::highSurrogate(c));
      text += QChar(QChar::lowSurrogate(c));
    }
  }
  return WithQtLineBreaks(std::move(text));
}

Text FromQt(const QString& text) {
  QString frame_text = WithQtLineBreaks(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  Text out;
  AppendGbkFromUtf16(out, frame_text.utf16(), static_cast<size_t>(frame_text.size()));
  return out;
}

QString FromDefinition(std::string_view utf8) {
  return WithQtLineBreaks(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace frame
