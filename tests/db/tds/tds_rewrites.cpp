#include "tests/db/tds/tds_rewrites.h"

#include <regex>

namespace db_test::tds {
namespace {

struct Rewrite {
  // Matched against the batch with the inside of every quoted text blanked
  // out, so that no match starts, ends or looks inside one.
  std::regex pattern;
  // "$1".."$9" stand for the groups, taken from the batch as it was.
  const char* replacement;
};

const std::vector<Rewrite>& Rewrites() {
  static const std::vector<Rewrite> rewrites = {
      // One of the game's procedures (up_...) named as the batch's first
      // word, its arguments after it, as in "up_updatememberpwbyid 'a','b'":
      // PostgreSQL calls a procedure with CALL.
      {std::regex(R"(^\s*(up_\w+)\s+('[\s\S]*?)\s*;?\s*$)", std::regex::icase), "CALL $1($2)"},
      // A number run into a keyword, as in "cash=cash+100where": PostgreSQL
      // wants a blank between them.
      {std::regex(R"((^|[^\w.])(\d+(?:\.\d+)?)(where|and|or|from)\b)", std::regex::icase),
       "$1$2 $3"},
  };
  return rewrites;
}

// The batch with every character inside quotes ('texts' and "names")
// replaced by a byte that no pattern matches; same length.
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

// `base` is where the masked batch begins.
std::string Expand(const char* replacement, const std::smatch& match,
                   std::string::const_iterator base, std::string_view original) {
  std::string out;
  for (const char* p = replacement; *p != 0; ++p) {
    if (p[0] == '$' && p[1] >= '1' && p[1] <= '9') {
      size_t group = static_cast<size_t>(p[1] - '0');
      if (group < match.size() && match[group].matched) {
        out += original.substr(static_cast<size_t>(match[group].first - base),
                               static_cast<size_t>(match.length(group)));
      }
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string Apply(const Rewrite& rewrite, const std::string& batch) {
  std::string masked = Masked(batch);
  std::string out;
  size_t done = 0;
  for (auto it = std::sregex_iterator(masked.begin(), masked.end(), rewrite.pattern);
       it != std::sregex_iterator(); ++it) {
    const std::smatch& match = *it;
    size_t start = static_cast<size_t>(match[0].first - masked.cbegin());
    out.append(batch, done, start - done);
    out += Expand(rewrite.replacement, match, masked.cbegin(), batch);
    done = start + static_cast<size_t>(match.length(0));
  }
  out.append(batch, done);
  return out;
}

}  // namespace

std::string RewriteForPostgres(std::string_view batch, std::vector<std::string>& log) {
  std::string text(batch);
  for (const Rewrite& rewrite : Rewrites()) {
    std::string rewritten = Apply(rewrite, text);
    if (rewritten != text) {
      log.push_back(text + " => " + rewritten);
      text = std::move(rewritten);
    }
  }
  return text;
}

}  // namespace db_test::tds
