// The account query and the character view of 分组框5, over the scripted
// database: the statements sent, the boxes filled, the messages shown.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/gmdesk/gmdesk_program.h"
#include "tests/gmdesk/player_panel.h"

namespace {

using namespace gmdesk;
using frame::FieldKind;
using frame::FieldValue;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

FieldValue Chars(const std::string& utf8) {
  return {FieldKind::kText, frame::Gbk(utf8)};
}
FieldValue Int(const std::string& digits) {
  return {FieldKind::kInteger, digits};
}
FieldValue Dec(const std::string& digits) {
  return {FieldKind::kDecimal, digits};
}
FieldValue Guid(const std::string& digits) {
  return {FieldKind::kGuid, digits};
}

using Row = std::vector<std::pair<std::string, FieldValue>>;

frame::ResultTable Rows(const std::vector<Row>& rows, const Texts& columns = {}) {
  frame::ResultTable table;
  for (const std::string& column : columns)
    table.columns.push_back(column);
  for (const Row& row : rows) {
    if (table.columns.empty()) {
      for (const auto& [column, value] : row)
        table.columns.push_back(column);
    }
    std::vector<FieldValue> values;
    for (const auto& [column, value] : row)
      values.push_back(value);
    table.rows.push_back(values);
  }
  return table;
}

// The statements as the operator's server receives them.
std::string IdCheck(const std::string& account) {
  return "SELECT ID FROM Member Where ID ='" + account + "'";
}
std::string KeyRead(const std::string& account) {
  return "SELECT MemberKey FROM Member Where ID ='" + account + "'";
}
std::string CurrencyRead(const std::string& account) {
  return "SELECT Cash ,BonusCash ,Gender  FROM Member  Where ID='" + account + "' ";
}
std::string CharacterList(const std::string& key) {
  return "SELECT Name  FROM TB_CharacterBasic Where MemberID  ='" + key + "'";
}
// The character of that name on the account shown in 编辑框34.
std::string CharacterIdRead(const std::string& name, const std::string& account_key) {
  return "SELECT CharacterID  FROM TB_CharacterBasic Where Name =N'" + name + "' AND MemberID ='" +
         account_key + "'";
}
std::string BasicRead(const std::string& id) {
  return "SELECT State , Name, Gender ,HairStyle, HairColor, Face, Jacket, Gloves, Pants, Shoes "
         "FROM TB_CharacterBasic Where CharacterID ='" +
         id + "'";
}
std::string SubRead(const std::string& id) {
  return "SELECT  Class, Lv, Exp, Money, HP, MP, CP, ExtraSkillPoint, RecentMap, BonusStatus, "
         "AddedSTR, AddedINT, AddedDEX, AddedCON  FROM TB_CharacterSub Where CharacterID ='" +
         id + "'";
}

constexpr const char* kMemberKey = "0f8fad5b-d9cb-469f-a165-70867728950e";
constexpr const char* kShownMemberKey = "0F8FAD5B-D9CB-469F-A165-70867728950E";

struct Shown {
  ControlId box;
  std::string text;
};

struct Character {
  std::string name;
  std::string key;        // as stored
  std::string shown_key;  // as 编辑框35 shows it
  Row basic;
  Row sub;
  std::vector<Shown> boxes;  // the 24 boxes of the purple and cyan areas
};

const Character kSwordsman{"剑客",
                           "7c9e6679-7425-40de-944b-e07fc1f90ae7",
                           "7C9E6679-7425-40DE-944B-E07FC1F90AE7",
                           {{"State", Int("0")},
                            {"Name", Chars("剑客")},
                            {"Gender", Int("1")},
                            {"HairStyle", Int("3")},
                            {"HairColor", Int("4")},
                            {"Face", Int("5")},
                            {"Jacket", Int("1001")},
                            {"Gloves", Int("2002")},
                            {"Pants", Int("3003")},
                            {"Shoes", Int("4004")}},
                           {{"Class", Int("2")},
                            {"Lv", Int("45")},
                            {"Exp", Dec("123456")},
                            {"Money", Dec("1000.5")},
                            {"HP", Int("900")},
                            {"MP", Int("300")},
                            {"CP", Int("77")},
                            {"ExtraSkillPoint", Int("12")},
                            {"RecentMap", Int("101")},
                            {"BonusStatus", Int("30")},
                            {"AddedSTR", Int("10")},
                            {"AddedINT", Int("5")},
                            {"AddedDEX", Int("8")},
                            {"AddedCON", Int("7")}},
                           {{kCharacterStateBox, "0"},  // 编辑框36
                            {kCharacterNameBox, "剑客"},
                            {kCharacterGenderBox, "1"},
                            {kHairBox, "3"},
                            {kHairColorBox, "4"},
                            {kFaceBox, "5"},
                            {kClothesBox, "1001"},
                            // The box beside "鞋子：" (编辑框46) shows Gloves, the one beside
                            // "手套：" (编辑框48) shows Shoes.
                            {kShoesBox, "2002"},
                            {kTrousersBox, "3003"},
                            {kGlovesBox, "4004"},
                            {kClassBox, "2"},
                            {kLevelBox, "45"},
                            {kExpBox, "123456"},
                            {kMoneyBox, "1000.50000000"},
                            {kHpBox, "900"},
                            {kMpBox, "300"},
                            {kHonorBox, "77"},
                            {kSkillPointBox, "12"},
                            {kMapBox, "101"},
                            {kBonusPointBox, "30"},
                            {kStrengthBox, "10"},
                            {kIntellectBox, "5"},
                            {kAgilityBox, "8"},
                            {kVitalityBox, "7"}}};

const Character kONeil{"O'Neil",
                       "e0a1b2c3-d4e5-4f60-8172-839495a6b7c8",
                       "E0A1B2C3-D4E5-4F60-8172-839495A6B7C8",
                       {{"State", Int("1")},
                        {"Name", Chars("O'Neil")},
                        {"Gender", Int("2")},
                        {"HairStyle", Int("6")},
                        {"HairColor", Int("7")},
                        {"Face", Int("8")},
                        {"Jacket", Int("11")},
                        {"Gloves", Int("22")},
                        {"Pants", Int("33")},
                        {"Shoes", Int("44")}},
                       {{"Class", Int("1")},
                        {"Lv", Int("9")},
                        {"Exp", Dec("0")},
                        {"Money", Dec("5")},
                        {"HP", Int("90")},
                        {"MP", Int("30")},
                        {"CP", Int("0")},
                        {"ExtraSkillPoint", Int("1")},
                        {"RecentMap", Int("2")},
                        {"BonusStatus", Int("3")},
                        {"AddedSTR", Int("4")},
                        {"AddedINT", Int("5")},
                        {"AddedDEX", Int("6")},
                        {"AddedCON", Int("7")}},
                       {{kCharacterStateBox, "1"},
                        {kCharacterNameBox, "O'Neil"},
                        {kCharacterGenderBox, "2"},
                        {kHairBox, "6"},
                        {kHairColorBox, "7"},
                        {kFaceBox, "8"},
                        {kClothesBox, "11"},
                        {kShoesBox, "22"},
                        {kTrousersBox, "33"},
                        {kGlovesBox, "44"},
                        {kClassBox, "1"},
                        {kLevelBox, "9"},
                        {kExpBox, "0"},
                        {kMoneyBox, "5"},
                        {kHpBox, "90"},
                        {kMpBox, "30"},
                        {kHonorBox, "0"},
                        {kSkillPointBox, "1"},
                        {kMapBox, "2"},
                        {kBonusPointBox, "3"},
                        {kStrengthBox, "4"},
                        {kIntellectBox, "5"},
                        {kAgilityBox, "6"},
                        {kVitalityBox, "7"}}};

// The account's row and its boxes.
struct Account {
  std::string id;
  FieldValue key;
  std::string shown_key;
  Row money;
  std::vector<Shown> boxes;  // 编辑框39, 40, 41
};

const Account kPlayer{
    "player1",
    Guid(kMemberKey),
    kShownMemberKey,
    {{"Cash", Dec("1500")}, {"BonusCash", Dec("12.5")}, {"Gender", Int("1")}},
    {{kAccountCashBox, "1500"}, {kAccountBonusCashBox, "12.50000000"}, {kAccountGenderBox, "1"}}};

std::string Doubled(std::string text) {
  for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
    text.insert(at, 1, '\'');
  return text;
}

class AccountQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.Start();
    gmdesk_testing::OpenPlayerPanel();
  }

  frame::HeadlessWindowSystem& window() { return program_.window(); }

  void Returns(const std::string& statement, const frame::ResultTable& rows) {
    program_.database().ReturnRows(frame::Gbk(statement), rows);
  }

  void ScriptAccount(const Account& account, const std::vector<const Character*>& characters) {
    std::string id = Doubled(account.id);
    Returns(IdCheck(id), Rows({{{"ID", Chars(account.id)}}}));
    Returns(KeyRead(id), Rows({{{"MemberKey", account.key}}}));
    Returns(CurrencyRead(id), Rows({account.money}));
    std::vector<Row> names;
    for (const Character* character : characters)
      names.push_back({{"Name", Chars(character->name)}});
    Returns(CharacterList(account.shown_key), Rows(names, {"Name"}));
    for (const Character* character : characters)
      ScriptCharacter(*character, account.shown_key);
  }

  void ScriptCharacter(const Character& character, const std::string& account_key) {
    Returns(CharacterIdRead(Doubled(character.name), account_key),
            Rows({{{"CharacterID", Guid(character.key)}}}));
    Returns(BasicRead(character.shown_key), Rows({character.basic}));
    Returns(SubRead(character.shown_key), Rows({character.sub}));
  }

  void Query(const std::string& account) {
    program_.Type(kQueryAccountBox, account);
    ASSERT_TRUE(window().Click(kQueryButton));
  }

  void ExpectShown(const std::vector<Shown>& boxes) {
    for (const Shown& shown : boxes)
      EXPECT_EQ(window().TextOf(shown.box), shown.text) << static_cast<uint32_t>(shown.box);
  }

  void ExpectAccountShown(const Account& account) {
    EXPECT_EQ(window().TextOf(kAccountKeyBox), account.shown_key);
    ExpectShown(account.boxes);
  }

  void ExpectCharacterShown(const Character& character) {
    EXPECT_EQ(window().TextOf(kCharacterIdBox), character.shown_key);
    ExpectShown(character.boxes);
  }

  GmdeskProgram program_;
};

TEST_F(AccountQuery, ShowsTheAccountItsCharactersAndTheFirstOfThem) {
  ScriptAccount(kPlayer, {&kSwordsman, &kONeil});
  Query("player1");

  EXPECT_EQ(program_.NewStatements(),
            (Texts{IdCheck("player1"), KeyRead("player1"), CurrencyRead("player1"),
                   CharacterList(kShownMemberKey), CharacterIdRead("剑客", kShownMemberKey),
                   BasicRead(kSwordsman.shown_key), SubRead(kSwordsman.shown_key)}));
  std::vector<ControlId> connections;
  for (const auto& statement : program_.database().statements()) {
    EXPECT_TRUE(statement.query);
    connections.push_back(statement.connection);
  }
  EXPECT_EQ(connections, (std::vector<ControlId>{
                             kMemberConnection, kMemberConnection, kMemberConnection,
                             kGameConnection, kGameConnection, kGameConnection, kGameConnection}));

  ExpectAccountShown(kPlayer);
  EXPECT_EQ(window().ComboItems(kCharacterList), (Texts{"剑客", "O'Neil"}));
  EXPECT_EQ(window().SelectedIndex(kCharacterList), 0);
  ExpectCharacterShown(kSwordsman);
  EXPECT_EQ(window().TextOf(kQueryAccountBox), "player1");
  EXPECT_TRUE(program_.NewBoxes().empty());
}

TEST_F(AccountQuery, PickingACharacterShowsThatCharacterOnly) {
  ScriptAccount(kPlayer, {&kSwordsman, &kONeil});
  Query("player1");
  program_.NewStatements();

  ASSERT_TRUE(window().PickComboItem(kCharacterList, 1));

  // The name stands between quotes with its quote doubled.
  EXPECT_EQ(program_.NewStatements(),
            (Texts{CharacterIdRead("O''Neil", kShownMemberKey), BasicRead(kONeil.shown_key),
                   SubRead(kONeil.shown_key)}));
  ExpectCharacterShown(kONeil);
  ExpectAccountShown(kPlayer);
  EXPECT_EQ(window().ComboItems(kCharacterList), (Texts{"剑客", "O'Neil"}));
  EXPECT_EQ(window().SelectedIndex(kCharacterList), 1);
  EXPECT_TRUE(program_.NewBoxes().empty());
}

TEST_F(AccountQuery, AnEmptyAccountEmptiesTheListAndAsksForOne) {
  ScriptAccount(kPlayer, {&kSwordsman});
  Query("player1");
  program_.NewStatements();
  program_.NewBoxes();

  Query("");

  EXPECT_EQ(program_.NewBoxes(), Texts{"请输入帐号"});
  EXPECT_EQ(window().MessageBoxes().back().caption, "信息：");
  EXPECT_TRUE(program_.NewStatements().empty());
  EXPECT_TRUE(window().ComboItems(kCharacterList).empty());
  EXPECT_EQ(window().FocusedControl(), kCharacterList);
  ExpectAccountShown(kPlayer);
  ExpectCharacterShown(kSwordsman);
}

// Only the account exactly as stored is found, whatever the server matched;
// the previous account and character stay on show for the submits.
TEST_F(AccountQuery, AnAccountNotStoredAsTypedIsNotFound) {
  ScriptAccount(kPlayer, {&kSwordsman});
  Returns(IdCheck("PLAYER1"), Rows({{{"ID", Chars("player1")}}}));
  Returns(IdCheck("player1 "), Rows({{{"ID", Chars("player1")}}}));
  Returns(IdCheck("nobody"), Rows({}, {"ID"}));
  program_.database().FailStatement(frame::Gbk(IdCheck("broken")));

  struct Case {
    const char* name;
    const char* typed;
    const char* box;
  };
  const Case cases[] = {
      {"other letter case", "PLAYER1", "该帐号不存在"},
      {"trailing blank", "player1 ", "该帐号不存在"},
      {"no such row", "nobody", "该帐号不存在"},
      // Not a word about the account: it may well exist.
      {"the check fails", "broken", "查询帐号数据失败"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Query("player1");
    program_.NewStatements();
    program_.NewBoxes();

    Query(c.typed);

    EXPECT_EQ(program_.NewBoxes(), Texts{c.box});
    EXPECT_EQ(program_.NewStatements(), Texts{IdCheck(c.typed)});
    EXPECT_TRUE(window().ComboItems(kCharacterList).empty());
    ExpectAccountShown(kPlayer);
    ExpectCharacterShown(kSwordsman);
  }
}

TEST_F(AccountQuery, AQuoteInTheAccountStaysInsideItsQuotes) {
  const Account quoted{"O'Hara", Guid(kMemberKey), kShownMemberKey, kPlayer.money, kPlayer.boxes};
  ScriptAccount(quoted, {&kSwordsman});

  Query("O'Hara");

  Texts statements = program_.NewStatements();
  ASSERT_GE(statements.size(), 3u);
  EXPECT_EQ(Texts(statements.begin(), statements.begin() + 3),
            (Texts{IdCheck("O''Hara"), KeyRead("O''Hara"), CurrencyRead("O''Hara")}));
  EXPECT_TRUE(program_.NewBoxes().empty());
  ExpectAccountShown(quoted);
  ExpectCharacterShown(kSwordsman);
}

// A key stored as text without braces is the key already: nothing is cut off.
TEST_F(AccountQuery, AKeyWithoutBracesIsShownWhole) {
  Character plain_key = kSwordsman;
  plain_key.shown_key = kSwordsman.key;
  const Account text_key{"player1", Chars(kMemberKey), kMemberKey, kPlayer.money, kPlayer.boxes};
  ScriptAccount(text_key, {});
  Returns(CharacterList(kMemberKey), Rows({{{"Name", Chars("剑客")}}}));
  Returns(CharacterIdRead("剑客", kMemberKey), Rows({{{"CharacterID", Chars(kSwordsman.key)}}}));
  Returns(BasicRead(kSwordsman.key), Rows({kSwordsman.basic}));
  Returns(SubRead(kSwordsman.key), Rows({kSwordsman.sub}));

  Query("player1");

  EXPECT_EQ(window().TextOf(kAccountKeyBox), kMemberKey);
  EXPECT_EQ(window().ComboItems(kCharacterList), Texts{"剑客"});
  ExpectCharacterShown(plain_key);
}

TEST_F(AccountQuery, AnAccountWithoutCharactersEmptiesTheCharacterView) {
  ScriptAccount(kPlayer, {&kSwordsman});
  const Account loner{
      "loner",
      Guid("11111111-2222-3333-4444-555555555555"),
      "11111111-2222-3333-4444-555555555555",
      {{"Cash", Dec("0")}, {"BonusCash", Dec("7")}, {"Gender", Int("2")}},
      {{kAccountCashBox, "0"}, {kAccountBonusCashBox, "7"}, {kAccountGenderBox, "2"}}};
  ScriptAccount(loner, {});
  Query("player1");
  program_.NewStatements();

  Query("loner");

  EXPECT_EQ(program_.NewStatements(),
            (Texts{IdCheck("loner"), KeyRead("loner"), CurrencyRead("loner"),
                   CharacterList(loner.shown_key), CharacterIdRead("", loner.shown_key),
                   BasicRead(""), SubRead("")}));
  ExpectAccountShown(loner);
  EXPECT_TRUE(window().ComboItems(kCharacterList).empty());
  EXPECT_EQ(window().SelectedIndex(kCharacterList), -1);
  EXPECT_EQ(window().TextOf(kCharacterIdBox), "");
  for (const Shown& shown : kSwordsman.boxes)
    EXPECT_EQ(window().TextOf(shown.box), "") << static_cast<uint32_t>(shown.box);
  EXPECT_TRUE(program_.NewBoxes().empty());
}

TEST_F(AccountQuery, ReadsThatFailOrFindNoRowShowEmptyTexts) {
  ScriptAccount(kPlayer, {&kSwordsman});
  Query("player1");
  program_.database().FailStatement(frame::Gbk(CurrencyRead("player1")));
  Returns(SubRead(kSwordsman.shown_key), Rows({}, {"Class"}));

  Query("player1");

  EXPECT_TRUE(program_.NewBoxes().empty());
  for (ControlId box : {kAccountCashBox, kAccountBonusCashBox, kAccountGenderBox, kClassBox,
                        kExpBox, kMoneyBox, kVitalityBox}) {
    EXPECT_EQ(window().TextOf(box), "") << static_cast<uint32_t>(box);
  }
  EXPECT_EQ(window().TextOf(kAccountKeyBox), kShownMemberKey);
  EXPECT_EQ(window().TextOf(kCharacterNameBox), "剑客");
  EXPECT_EQ(window().TextOf(kShoesBox), "2002");
}

// Kinds of column that the PostgreSQL suite cannot hold: an unchanged submit
// of the account writes back the very value it read.
TEST_F(AccountQuery, AnUnchangedSubmitWritesBackTheValuesRead) {
  struct Case {
    const char* name;
    FieldValue stored;
    const char* shown;  // and written back
  };
  const Case cases[] = {
      {"tinyint", {FieldKind::kTinyInt, "255"}, "255"},
      {"unsigned bigint",
       {FieldKind::kUnsignedBigInt, "18446744073709551615"},
       "18446744073709551615"},
      {"money, largest", {FieldKind::kCurrency, "922337203685477.5807"}, "922337203685477.5807"},
      {"money, smallest", {FieldKind::kCurrency, "-922337203685477.5808"}, "-922337203685477.5808"},
      {"money, whole", {FieldKind::kCurrency, "1500.0000"}, "1500"},
      {"money, a hundredth", {FieldKind::kCurrency, "0.0100"}, "0.01"},
      {"smallmoney, smallest", {FieldKind::kCurrency, "-214748.3648"}, "-214748.3648"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Account account = kPlayer;
    account.money = {{"Cash", c.stored}, {"BonusCash", c.stored}, {"Gender", Int("1")}};
    Character character = kSwordsman;
    character.sub[2].second = c.stored;  // Exp
    character.sub[4].second = c.stored;  // HP
    ScriptAccount(account, {&character});
    Query("player1");
    EXPECT_EQ(window().TextOf(kAccountCashBox), c.shown);
    EXPECT_EQ(window().TextOf(kExpBox), c.shown);
    EXPECT_EQ(window().TextOf(kHpBox), c.shown);
    program_.NewStatements();

    window().AnswerNextMessageBox(frame::MessageBoxButton::kOk);
    ASSERT_TRUE(window().Click(kSubmitAllButton));
    program_.Settle();

    EXPECT_EQ(program_.NewBoxes(), Texts{"提交数据命令执行成功"});
    std::string value = c.shown;
    Texts statements = program_.NewStatements();
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0], "update Member set Cash ='" + value + "' ,BonusCash ='" + value +
                                 "',Gender ='1' where MemberKey ='" + kShownMemberKey + "'");
    EXPECT_EQ(statements[2], "update TB_CharacterSub set Class='2', Lv='45', Exp='" + value +
                                 "', Money='1000.50000000', HP='" + value +
                                 "', MP='300', CP='77', ExtraSkillPoint='12', RecentMap='101', "
                                 "BonusStatus='30', AddedSTR='10', AddedINT='5', AddedDEX='8', "
                                 "AddedCON='7' where CharacterID ='" +
                                 kSwordsman.shown_key + "'");
  }
}

}  // namespace
