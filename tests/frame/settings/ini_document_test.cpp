// The rules of profile files on the bytes alone: lookups and edits.
#include "frame/settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "frame/text/gbk.h"

namespace frame {
namespace {

using std::nullopt;
using std::optional;
using std::string;
using namespace std::string_literals;

struct LookupCase {
  string bytes;
  string section;
  string key;
  optional<string> expected;
};

TEST(IniDocumentTest, FollowsTheProfileLookupRules) {
  const LookupCase cases[] = {
      {"[Server]\r\nIP=1.2.3.4\r\n", "Server", "IP", "1.2.3.4"},
      {"[server]\nip=x\n", "SERVER", "Ip", "x"},
      {"  [ Server ]  \n \t IP \t=\t a b \t\n", "Server", "IP", "a b"},
      {"[S]\nK=\"quoted  \"\n", "S", "K", "quoted  "},
      {"[S]\nK='single'\n", "S", "K", "single"},
      {"[S]\nK=\"mixed'\n", "S", "K", "\"mixed'"},
      {"[S]\nK=\"\n", "S", "K", "\""},
      {"[S]\nK=\"a\"b\"\n", "S", "K", "a\"b"},
      {"[S]\n;K=comment\n", "S", "K", nullopt},
      {"[S]\n  ;K=comment\nK=real\n", "S", "K", "real"},
      {"K=outside\n[S]\n", "S", "K", nullopt},
      {"[S]\nA=1\n[S]\nK=second\n", "S", "K", nullopt},
      {"[S]\nK=first\nk=second\n", "S", "K", "first"},
      {"[S]\nK\n", "S", "K", nullopt},
      {"[S]\n[T\nK=in S\n", "S", "K", "in S"},
      {"[S] ; comment [x]\nK=v\n", "S", "K", "v"},
      {"[A]\nK=1\n[B]\nX=2\n", "B", "K", nullopt},
      {"[S]\n\n\nK=after blanks\n", "S", "K", "after blanks"},
      {"[S]\rA=1\rK=cr\r", "S", "K", "cr"},
      {"[S]\nA=1\r\nK=mixed\r", "S", "K", "mixed"},
      {"[S]\r\nK=unended", "S", "K", "unended"},
      {"[S]\nK=\n", "S", "K", ""},
      {"[S]\nK = a = b\n", "S", "K", "a = b"},
      {"[S]\nK=ab\0cd\n"s, "S", "K", "ab"},
      {"\xEF\xBB\xBF[S]\nK=bom\n", "S", "K", "bom"},
      {Gbk("[服务器]\n密码=口令\n"), Gbk("服务器"), Gbk("密码"), Gbk("口令")},
      // Trail bytes are no letters: 81 41 and 81 61 are two characters.
      {"[S]\n\x81\x41=upper\n\x81\x61=lower\n", "S", "\x81\x61", "lower"},
      // ...and a trail byte 0x5D is no closing bracket.
      {"[\x81]]\nK=v\n", "\x81]", "K", "v"},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(IniDocument(c.bytes).Find(c.section, c.key), c.expected)
        << "bytes: " << c.bytes << "\nsection: " << c.section << ", key: " << c.key;
  }
}

// Random documents made of the bytes that carry meaning: whatever the file
// holds, an edit must do what it says and change no other entry.
TEST(IniDocumentTest, EditsKeepTheirPromisesOnArbitraryBytes) {
  const string alphabet = "[]=; \t\r\n\"'\0SsTKkL\x81x"s;
  const string sections[] = {"S", "T"};
  const string keys[] = {"K", "L"};
  const string values[] = {"v", "x y", ""};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    string bytes;
    const int size = static_cast<int>(random() % 48);
    for (int i = 0; i < size; ++i) {
      bytes += alphabet[random() % alphabet.size()];
    }

    IniDocument document(bytes);
    const string section = sections[random() % 2];
    const string key = keys[random() % 2];
    const int op = static_cast<int>(random() % 3);
    const string value = values[random() % 3];
    std::vector<optional<string>> before;
    for (const string& s : sections) {
      for (const string& k : keys) {
        before.push_back(document.Find(s, k));
      }
    }

    if (op == 0) document.Set(section, key, value);
    if (op == 1) document.RemoveKey(section, key);
    if (op == 2) document.RemoveSection(section);

    const string trace = "bytes: " + bytes + "\nop " + std::to_string(op) + " " + section + "/" +
                         key + "\nafter: " + document.bytes();
    if (op == 0) {
      EXPECT_EQ(document.Find(section, key), value) << trace;
    }
    std::size_t probe = 0;
    for (const string& s : sections) {
      for (const string& k : keys) {
        const bool touched = s == section && (op == 2 || k == key);
        if (!touched) {
          EXPECT_EQ(document.Find(s, k), before[probe]) << trace << "\nprobe " << s << k;
        }
        ++probe;
      }
    }
  }
}

TEST(IniDocumentTest, ToleratesHugeLinesAndBrokenBytes) {
  const string huge(1 << 20, 'x');
  IniDocument document("[S]\n" + huge + "\nK=\x81\n\x81=hidden?\n" + "\0\0\0"s + "\r\r\n\n");
  EXPECT_EQ(document.Find("S", "K"), "\x81");
  EXPECT_EQ(document.Find("S", "\x81"), "hidden?");
  document.Set("S", "Big", huge);
  EXPECT_EQ(document.Find("S", "Big"), huge);
  EXPECT_EQ(document.Find("S", huge), nullopt);
  document.Set(huge, "K", "v");
  EXPECT_EQ(document.Find(huge, "k"), "v");
}

}  // namespace
}  // namespace frame
