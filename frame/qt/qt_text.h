// Texts at the toolkit's edge: GBK with "\r\n" line breaks in the frame,
// Unicode with "\n" in Qt.
#pragma once

#include <QString>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

QString ToQt(std::string_view gbk);
Text FromQt(const QString& text);

// Definition texts are UTF-8 literals.
QString FromDefinition(std::string_view utf8);

}  // namespace frame
