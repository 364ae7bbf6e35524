// A character's name shows every code point it holds, and an unchanged
// submit writes each one back: the whole Basic Multilingual Plane and a
// sample of the planes beyond in a Unicode column, and every character of
// code page 936 in a code-page column. Through the real ODBC path.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "frame/text/gbk.h"
#include "frame/text/utf8.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/gmdesk/player_panel.h"
#include "tests/servers/suite_driver.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using frame::MessageBoxButton;
using gmdesk_testing::GmdeskProgram;
using CodePoints = std::vector<char32_t>;

bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

CodePoints WholeBmp() {
  CodePoints all;
  for (char32_t c = 1; c <= 0xFFFF; ++c)
    if (!IsSurrogate(c)) all.push_back(c);
  return all;
}

// Every 97th code point beyond the plane, the first and last of each plane,
// and those that the C library puts on two-byte codes.
CodePoints BeyondTheBmp() {
  CodePoints sample;
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += 97)
    sample.push_back(c);
  for (char32_t plane = 1; plane <= 16; ++plane) {
    sample.push_back(plane << 16);
    sample.push_back(plane << 16 | 0xFFFF);
  }
  for (char32_t c : {0x20087, 0x20089, 0x200CC, 0x215D7, 0x2298F, 0x241FE})
    sample.push_back(c);
  return sample;
}

// The character the C library's GB18030 reads in the bytes; 0 for none.
char32_t Gb18030Reading(const std::string& bytes) {
  static const iconv_t gb18030 =
      iconv_open(std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE", "GB18030");
  char32_t c = 0;
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size();
  char* out = reinterpret_cast<char*>(&c);
  size_t out_left = sizeof c;
  iconv(gb18030, nullptr, nullptr, nullptr, nullptr);
  if (iconv(gb18030, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1)) return 0;
  return out_left == 0 ? c : 0;
}

// Every character that has one or two bytes of its own: ASCII, the euro
// sign and every two-byte code. FreeTDS reads a code-page column with the C
// library's GB18030, which has other characters, or none, for 107 of those
// bytes (the euro sign's 0x80, A6D9 and the other private-use ones): there
// they cannot come back through that driver, whatever the program does.
CodePoints CodePage936() {
  CodePoints all;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (IsSurrogate(c)) continue;
    std::string bytes;
    frame::AppendGbk(bytes, c);
    if (bytes.size() > 2) continue;
    if (db_test::SuiteDriver::UsesFreeTds() && Gb18030Reading(bytes) != c) continue;
    all.push_back(c);
  }
  return all;
}

struct Case {
  const char* name;
  const char* column_type;  // of TB_CharacterBasic.Name
  CodePoints (*code_points)();
  size_t per_name;
};

std::string Numbered(const char* prefix, size_t i) {
  std::string number = std::to_string(i);
  return prefix + std::string(12 - number.size(), '0') + number;
}
std::string AccountId(size_t i) {
  return "player" + std::to_string(i);
}
std::string MemberKey(size_t i) {
  return Numbered("a0eebc99-9c0b-4ef8-bb6d-", i);
}
std::string CharacterId(size_t i) {
  return Numbered("7c9e6679-7425-40de-944b-", i);
}

// One account with one character for each name, and ExpectedName holding
// each name as stored.
void StoreNames(const Case& c, const std::vector<CodePoints>& names) {
  game_databases::Execute(
      "KV7_Member",
      "DROP TABLE IF EXISTS Member; CREATE TABLE Member (ID varchar(50) PRIMARY KEY, "
      "MemberKey uuid, Cash bigint, BonusCash numeric(19, 8), Gender smallint)");
  game_databases::Execute(
      "KV7_User",
      std::string("DROP TABLE IF EXISTS TB_CharacterBasic, TB_CharacterSub, ExpectedName; "
                  "CREATE TABLE ExpectedName (CharacterID uuid PRIMARY KEY, Name text); "
                  "CREATE TABLE TB_CharacterBasic (CharacterID uuid PRIMARY KEY, MemberID uuid, "
                  "Name ") +
          c.column_type +
          ", State smallint, Gender smallint, HairStyle int, HairColor int, Face int, "
          "Jacket int, Gloves int, Pants int, Shoes int); "
          "CREATE TABLE TB_CharacterSub (CharacterID uuid PRIMARY KEY, Class int, Lv int, "
          "Exp bigint, Money bigint, HP int, MP int, CP int, ExtraSkillPoint int, "
          "RecentMap int, BonusStatus int, AddedSTR int, AddedINT int, AddedDEX int, "
          "AddedCON int)");
  for (size_t i = 0; i < names.size(); ++i) {
    game_databases::Execute("KV7_Member", "INSERT INTO Member VALUES ('" + AccountId(i) + "', '" +
                                              MemberKey(i) + "', 100, 12.5, 1)");
    std::string numbers;
    for (char32_t code_point : names[i])
      numbers += (numbers.empty() ? "" : ",") + std::to_string(uint32_t{code_point});
    game_databases::Execute(
        "KV7_User",
        "INSERT INTO ExpectedName SELECT '" + CharacterId(i) +
            "', string_agg(chr(c), '' ORDER BY n) FROM unnest(ARRAY[" + numbers +
            "]) WITH ORDINALITY AS t(c, n); "
            "INSERT INTO TB_CharacterBasic SELECT CharacterID, '" +
            MemberKey(i) +
            "', Name, 1, 2, 3, 4, 5, 6, 7, 8, 9 FROM ExpectedName WHERE CharacterID = '" +
            CharacterId(i) + "'; INSERT INTO TB_CharacterSub VALUES ('" + CharacterId(i) +
            "', 2, 99, 123456, 500, 300, 200, 0, 12, 101, 30, 10, 5, 8, 7)");
  }
}

class NameCodePoints : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    program_.Start();
    gmdesk_testing::OpenPlayerPanel({.server = game_databases::ServerText()});
  }

  frame::HeadlessWindowSystem& window() { return program_.window(); }

  GmdeskProgram program_{game_databases::Components(), game_databases::ConfigIni()};
};

// Each name is shown, then replaced in the database behind the panel's back,
// so that only the submit can bring it back.
TEST_P(NameCodePoints, ShowAndComeBackFromAnUnchangedSubmit) {
  const Case& c = GetParam();
  const CodePoints code_points = c.code_points();
  std::vector<CodePoints> names;
  for (size_t at = 0; at < code_points.size(); at += c.per_name) {
    names.emplace_back(code_points.begin() + at,
                       code_points.begin() + std::min(at + c.per_name, code_points.size()));
  }
  StoreNames(c, names);

  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(AccountId(i));
    std::string utf8;
    for (char32_t code_point : names[i])
      frame::AppendUtf8(utf8, code_point);
    program_.Type(kQueryAccountBox, AccountId(i));
    ASSERT_TRUE(window().Click(kQueryButton));
    program_.Settle();
    std::string shown = window().TextOf(kCharacterNameBox);
    if (shown != utf8) {
      size_t at = 0;
      size_t k = 0;
      char32_t got = 0;
      while (at < shown.size() && k < names[i].size() &&
             (got = frame::NextUtf8(shown, at)) == names[i][k])
        ++k;
      ADD_FAILURE() << "the name box differs from U+" << std::hex
                    << uint32_t{k < names[i].size() ? names[i][k] : 0} << " on, shows U+"
                    << uint32_t{got} << " size " << std::dec << shown.size() << " of "
                    << utf8.size();
    }

    game_databases::Execute("KV7_User",
                            "UPDATE TB_CharacterBasic SET Name = 'changed' "
                            "WHERE CharacterID = '" +
                                CharacterId(i) + "'");
    window().AnswerNextMessageBox(MessageBoxButton::kOk);
    ASSERT_TRUE(window().Click(kSubmitAllButton));
    program_.Settle();
    EXPECT_EQ(program_.NewBoxes(), std::vector<std::string>{"提交数据命令执行成功"});
  }
  // The first code points, up to ten, that did not come back where they were.
  EXPECT_EQ(
      game_databases::Query(
          "KV7_User",
          "SELECT string_agg(to_hex(ascii(substr(e.Name, i, 1))), ' ') FROM (SELECT e.Name, i "
          "FROM ExpectedName e JOIN TB_CharacterBasic b USING (CharacterID), "
          "generate_series(1, greatest(length(e.Name), length(b.Name))) AS i "
          "WHERE substr(e.Name, i, 1) IS DISTINCT FROM substr(b.Name, i, 1) "
          "ORDER BY e.CharacterID, i LIMIT 10) AS e"),
      "");
}

INSTANTIATE_TEST_SUITE_P(
    Columns, NameCodePoints,
    ::testing::Values(Case{"UnicodeBmp", "dbo.nvarchar_max", WholeBmp, 2048},
                      Case{"UnicodeBeyondTheBmp", "dbo.nvarchar_max", BeyondTheBmp, 2048},
                      Case{"CodePage936", "varchar(8000)", CodePage936, 2000}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
