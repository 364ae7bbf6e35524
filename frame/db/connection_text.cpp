#include "frame/db/connection_text.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "frame/text/ascii.h"

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

struct Item {
  std::string_view name;
  std::string value;  // braces undone
  bool braced = false;
};

// The items of an ODBC connection text, in order.
std::vector<Item> ItemsOf(std::string_view text) {
  std::vector<Item> items;
  size_t at = 0;
  while (at < text.size()) {
    size_t equals = text.find('=', at);
    if (equals == std::string_view::npos) break;
    Item item{.name = text.substr(at, equals - at), .value = {}};
    size_t end = equals + 1;
    if (end < text.size() && text[end] == '{') {
      item.braced = true;
      for (++end; end < text.size(); ++end) {
        if (text[end] == '}') {
          if (end + 1 < text.size() && text[end + 1] == '}') {
            item.value += '}';
            ++end;
            continue;
          }
          ++end;
          break;
        }
        item.value += text[end];
      }
      end = text.find(';', end);
    } else {
      end = text.find(';', end);
      item.value = text.substr(equals + 1, end == std::string_view::npos ? end : end - equals - 1);
    }
    items.push_back(std::move(item));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  return items;
}

// The length a login record gives a value.
size_t Utf16Units(std::string_view gbk) {
  size_t units = 0;
  for (size_t at = 0; at < gbk.size();)
    units += NextGbk(gbk, at) > 0xFFFF ? 2 : 1;
  return units;
}

bool IsLoginValue(std::string_view name) {
  return EqualIgnoringAsciiCase(name, "UID") || EqualIgnoringAsciiCase(name, "PWD") ||
         EqualIgnoringAsciiCase(name, "DATABASE");
}

}  // namespace

Text WithDefaultPort(std::string_view connection_text, int port) {
  Text text(connection_text);
  for (const Item& item : ItemsOf(connection_text)) {
    if (!EqualIgnoringAsciiCase(item.name, "SERVER")) continue;
    if (item.value.empty() || item.value.find_first_of(",\\") != std::string::npos) return text;
    if (!text.empty() && text.back() != ';') text += ';';
    return text + "PORT=" + std::to_string(port) + ";";
  }
  return text;
}

std::optional<std::string> ConnectionItem(std::string_view connection_text, std::string_view name) {
  for (Item& item : ItemsOf(connection_text)) {
    if (EqualIgnoringAsciiCase(item.name, name)) return std::move(item.value);
  }
  return std::nullopt;
}

namespace {

// The driver's file name starts with one of the stems (any folder, any
// suffix or version after it).
bool DriverFileIs(std::string_view driver_file, std::initializer_list<std::string_view> stems) {
  size_t slash = driver_file.find_last_of("/\\");
  std::string_view name =
      slash == std::string_view::npos ? driver_file : driver_file.substr(slash + 1);
  for (std::string_view stem : stems) {
    if (name.size() > stem.size() && EqualIgnoringAsciiCase(name.substr(0, stem.size()), stem)) {
      return true;
    }
  }
  return false;
}

}  // namespace

DriverTextRules TextRulesForDriver(std::string_view driver_file, int default_port,
                                   bool tds_version_chosen) {
  if (DriverFileIs(driver_file, {"libtdsodbc.", "tdsodbc."})) {
    DriverTextRules rules = FreeTdsTextRules(default_port);
    if (!tds_version_chosen) rules.tds_version = "7.4";
    return rules;
  }
  // The tests' stand-in keeps braces as typed and has no default port of
  // SQL Server's: FreeTDS's rules serve it, and both runs assert the same.
  if (DriverFileIs(driver_file, {"psqlodbc"})) return FreeTdsTextRules(default_port);
  return {};
}

DriverTextRules FreeTdsTextRules(int default_port) {
  return {.default_port = default_port,
          .braces_may_hold_closing_brace = false,
          .longest_login_value = 128,
          .tds_version = {}};
}

DbResult<Text> DriverConnectionText(std::string_view connection_text,
                                    const DriverTextRules& rules) {
  for (const Item& item : ItemsOf(connection_text)) {
    // Values stay out of the message: one may be a password.
    const std::string name(item.name);
    if (item.braced && !rules.braces_may_hold_closing_brace &&
        item.value.find('}') != std::string::npos) {
      return DbError{"22001", "the driver cannot take the " + name +
                                  " value whole: it holds \"}\" and needs braces (it holds "
                                  "\";\" or starts with \"{\")"};
    }
    if (rules.longest_login_value > 0 && IsLoginValue(item.name) &&
        Utf16Units(item.value) > rules.longest_login_value) {
      return DbError{"22001", "the driver cannot take the " + name +
                                  " value whole: it is longer than " +
                                  std::to_string(rules.longest_login_value) + " characters"};
    }
  }
  Text text = rules.default_port == 0 ? Text(connection_text)
                                      : WithDefaultPort(connection_text, rules.default_port);
  if (!rules.tds_version.empty() && !ConnectionItem(text, "TDS_Version")) {
    if (!text.empty() && text.back() != ';') text += ';';
    text += "TDS_Version=" + std::string(rules.tds_version) + ";";
  }
  return text;
}

Text SqlServerConnectionText(TextArg server, TextArg database, TextArg user, TextArg password) {
  return ConcatTexts("DRIVER=SQL Server;SERVER=", ItemValue(server), ";UID=", ItemValue(user),
                     ";PWD=", ItemValue(password), ";DATABASE=", ItemValue(database), ";");
}

}  // namespace frame
