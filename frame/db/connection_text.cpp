#include "frame/db/connection_text.h"

#include <optional>
#include <string>
#include <string_view>

#include "frame/ascii.h"

namespace frame {
namespace {

// Only values that need braces get them: FreeTDS before 1.4 reads a doubled
// "}" as two, so a password such as "a}b" logs in only when left bare.
Text ItemValue(TextArg value) {
  std::string_view text = value.view();
  if (text.find(';') == std::string_view::npos && !text.starts_with('{')) return Text(text);
  Text braced = "{";
  for (char c : text) {
    braced += c;
    if (c == '}') braced += '}';
  }
  braced += '}';
  return braced;
}

// The value of the item `key` of an ODBC connection text, braces undone;
// none when the text has no such item.
std::optional<std::string> ItemOf(std::string_view text, std::string_view key) {
  size_t at = 0;
  while (at < text.size()) {
    size_t equals = text.find('=', at);
    if (equals == std::string_view::npos) return std::nullopt;
    std::string_view name = text.substr(at, equals - at);
    std::string value;
    size_t end = equals + 1;
    if (end < text.size() && text[end] == '{') {
      for (++end; end < text.size(); ++end) {
        if (text[end] == '}') {
          if (end + 1 < text.size() && text[end + 1] == '}') {
            value += '}';
            ++end;
            continue;
          }
          ++end;
          break;
        }
        value += text[end];
      }
      end = text.find(';', end);
    } else {
      end = text.find(';', end);
      value = text.substr(equals + 1, end == std::string_view::npos ? end : end - equals - 1);
    }
    if (EqualIgnoringAsciiCase(name, key)) return value;
    if (end == std::string_view::npos) return std::nullopt;
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace

Text WithDefaultPort(std::string_view connection_text, int port) {
  std::optional<std::string> server = ItemOf(connection_text, "SERVER");
  Text text(connection_text);
  if (!server || server->empty() || server->find_first_of(",\\") != std::string::npos) {
    return text;
  }
  if (!text.empty() && text.back() != ';') text += ';';
  return text + "PORT=" + std::to_string(port) + ";";
}

Text SqlServerConnectionText(TextArg server, TextArg database, TextArg user, TextArg password) {
  return ConcatTexts("DRIVER=SQL Server;SERVER=", ItemValue(server), ";UID=", ItemValue(user),
                     ";PWD=", ItemValue(password), ";DATABASE=", ItemValue(database), ";");
}

}  // namespace frame
