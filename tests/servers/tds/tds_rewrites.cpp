#include "tests/servers/tds/tds_rewrites.h"

#include <array>
#include <cstddef>

namespace db_test::tds {
namespace {

// Hand-written scanners, not std::regex: its matcher recurses once per
// character and overflows the stack on a batch of some ten thousand.

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsWord(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
  if (text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

// The batch with every character inside quotes ('texts' and "names")
// replaced by a byte that no rule takes for anything; same length. No rule
// then starts, ends or looks inside a quoted text.
std::string Masked(std::string_view batch) {
  std::string masked(batch);
  char quote = 0;
  for (size_t i = 0; i < masked.size(); ++i) {
    char c = masked[i];
    if (quote == 0) {
      if (c == '\'' || c == '"') quote = c;
    } else if (c == quote) {
      if (i + 1 < masked.size() && masked[i + 1] == quote) {
        masked[i] = masked[i + 1] = '\x01';  // a doubled quote stays inside
        ++i;
      } else {
        quote = 0;
      }
    } else {
      masked[i] = '\x01';
    }
  }
  return masked;
}

// One of the game's procedures (up_...) named as the batch's first word, its
// arguments after it, as in "up_updatememberpwbyid 'a','b'": PostgreSQL
// calls a procedure with CALL. A ";" ending the batch is dropped.
std::string CallProcedure(const std::string& batch) {
  std::string masked = Masked(batch);
  size_t name = 0;
  while (name < masked.size() && IsSpace(masked[name]))
    ++name;
  if (!StartsWithNoCase(masked, name, "up_")) return batch;
  size_t name_end = name + 3;
  while (name_end < masked.size() && IsWord(masked[name_end]))
    ++name_end;
  if (name_end == name + 3) return batch;
  size_t arguments = name_end;
  while (arguments < masked.size() && IsSpace(masked[arguments]))
    ++arguments;
  if (arguments == name_end || arguments == masked.size() || masked[arguments] != '\'') {
    return batch;
  }
  size_t end = masked.size();
  while (end > arguments && IsSpace(masked[end - 1]))
    --end;
  if (end > arguments + 1 && masked[end - 1] == ';') {
    --end;
    while (end > arguments + 1 && IsSpace(masked[end - 1]))
      --end;
  }
  return "CALL " + batch.substr(name, name_end - name) + "(" +
         batch.substr(arguments, end - arguments) + ")";
}

// A number run into a keyword, as in "cash=cash+100where": PostgreSQL wants
// a blank between them. A number is digits with an optional fraction, not
// the end of a name or of another number.
std::string SeparateNumbers(const std::string& batch) {
  static constexpr std::array<std::string_view, 4> kKeywords = {"where", "and", "or", "from"};
  std::string masked = Masked(batch);
  std::string out;
  size_t copied = 0;
  size_t i = 0;
  while (i < masked.size()) {
    bool starts_number =
        IsDigit(masked[i]) && (i == 0 || (!IsWord(masked[i - 1]) && masked[i - 1] != '.'));
    if (!starts_number) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < masked.size() && IsDigit(masked[end]))
      ++end;
    if (end + 1 < masked.size() && masked[end] == '.' && IsDigit(masked[end + 1])) {
      end += 2;
      while (end < masked.size() && IsDigit(masked[end]))
        ++end;
    }
    for (std::string_view keyword : kKeywords) {
      size_t after = end + keyword.size();
      if (StartsWithNoCase(masked, end, keyword) &&
          (after == masked.size() || !IsWord(masked[after]))) {
        out.append(batch, copied, end - copied);
        out += ' ';
        copied = end;
        end = after;
        break;
      }
    }
    i = end;
  }
  out.append(batch, copied);
  return out;
}

}  // namespace

std::string RewriteForPostgres(std::string_view batch, std::vector<std::string>& log) {
  std::string text(batch);
  for (auto rewrite : {CallProcedure, SeparateNumbers}) {
    std::string rewritten = rewrite(text);
    if (rewritten != text) {
      log.push_back(text + " => " + rewritten);
      text = std::move(rewritten);
    }
  }
  return text;
}

}  // namespace db_test::tds
