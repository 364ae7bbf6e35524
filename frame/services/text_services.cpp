#include "frame/services/text_services.h"

#include <algorithm>

#include "frame/text/ascii.h"

namespace frame {
namespace {

bool MatchesAt(std::string_view text, size_t pos, std::string_view search, bool case_sensitive) {
  for (size_t i = 0; i < search.size(); ++i) {
    char a = text[pos + i];
    char b = search[i];
    if (case_sensitive ? a != b : AsciiLower(a) != AsciiLower(b)) return false;
  }
  return true;
}

}  // namespace

Text ConcatTextList(std::initializer_list<TextArg> parts) {
  size_t size = 0;
  for (const TextArg& part : parts)
    size += part.view().size();
  Text result;
  result.reserve(size);
  for (const TextArg& part : parts)
    result.append(part.view());
  return result;
}

Text LeftText(TextArg text, int n) {
  if (n <= 0) return Text();
  std::string_view view = text.view();
  return Text(view.substr(0, std::min(view.size(), static_cast<size_t>(n))));
}

Text MidText(TextArg text, int start, int n) {
  std::string_view view = text.view();
  if (start < 1 || n <= 0) return Text();
  size_t pos = static_cast<size_t>(start) - 1;
  if (pos >= view.size()) return Text();
  return Text(view.substr(pos, static_cast<size_t>(n)));
}

Text ReplaceText(TextArg text, TextArg search, TextArg replacement, int start,
                 std::optional<int> count, bool case_sensitive) {
  std::string_view source = text.view();
  std::string_view needle = search.view();
  if (source.empty() || needle.empty()) return Text(source);
  size_t pos = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (pos >= source.size() || count == 0) return Text(source);
  // A negative limit means no limit, as an absent one does.
  int remaining = count.value_or(-1);

  Text result(source.substr(0, pos));
  while (source.size() - pos >= needle.size()) {
    if (MatchesAt(source, pos, needle, case_sensitive)) {
      result.append(replacement.view());
      pos += needle.size();
      if (remaining > 0 && --remaining == 0) break;
    } else {
      size_t step = IsGbkLeadByte(static_cast<unsigned char>(source[pos])) ? 2 : 1;
      step = std::min(step, source.size() - pos);
      result.append(source.substr(pos, step));
      pos += step;
    }
  }
  result.append(source.substr(pos));
  return result;
}

Text DoubleQuotes(TextArg text) {
  Text result;
  result.reserve(text.view().size());
  for (char c : text.view()) {
    result += c;
    if (c == '\'') result += c;
  }
  return result;
}

}  // namespace frame
