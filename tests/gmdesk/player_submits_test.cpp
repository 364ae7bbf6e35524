// The four submits of 分组框5 over the scripted database: the statements
// sent, the one result box per run, and the buttons around it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/gmdesk/gmdesk_program.h"
#include "tests/gmdesk/player_panel.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace gmdesk;
using namespace std::chrono_literals;
using frame::MessageBoxButton;
using frame::Property;
using gmdesk_testing::GmdeskProgram;
using gmdesk_testing::PanelConnections;
using testing_support::LookUp;
using testing_support::ScriptLookUp;
using PropertyWrite = frame::HeadlessWindowSystem::PropertyWrite;
using Texts = std::vector<std::string>;

constexpr const char* kSubmitted = "提交数据命令执行成功";
constexpr const char* kNotSubmitted = "提交数据命令执行失败";

struct Filled {
  ControlId box;
  std::string text;
};

// An account and character on show, as the account query leaves them.
const std::vector<Filled> kShownPlayer = {
    {kAccountKeyBox, "0F8FAD5B-D9CB-469F-A165-70867728950E"},
    {kAccountCashBox, "1500"},
    {kAccountBonusCashBox, "12.50000000"},
    {kAccountGenderBox, "1"},
    {kCharacterIdBox, "7C9E6679-7425-40DE-944B-E07FC1F90AE7"},
    {kCharacterStateBox, "0"},
    {kCharacterNameBox, "剑客"},
    {kCharacterGenderBox, "1"},
    {kHairBox, "3"},
    {kHairColorBox, "4"},
    {kFaceBox, "5"},
    {kClothesBox, "1001"},
    {kShoesBox, "2002"},  // 编辑框46, beside "鞋子：", holds Gloves
    {kTrousersBox, "3003"},
    {kGlovesBox, "4004"},  // 编辑框48, beside "手套：", holds Shoes
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
    {kVitalityBox, "7"},
};

const std::string kYellowStatement =
    "update Member set Cash ='1500' ,BonusCash ='12.50000000',Gender ='1' where MemberKey "
    "='0F8FAD5B-D9CB-469F-A165-70867728950E'";
const std::string kPurpleStatement =
    "update TB_CharacterBasic set State='0', Name=N'剑客', Gender='1' ,HairStyle='3', "
    "HairColor='4', Face='5', Jacket='1001', Gloves='2002', Pants='3003', Shoes='4004' where "
    "CharacterID ='7C9E6679-7425-40DE-944B-E07FC1F90AE7'";
const std::string kCyanStatement =
    "update TB_CharacterSub set Class='2', Lv='45', Exp='123456', Money='1000.50000000', "
    "HP='900', MP='300', CP='77', ExtraSkillPoint='12', RecentMap='101', BonusStatus='30', "
    "AddedSTR='10', AddedINT='5', AddedDEX='8', AddedCON='7' where CharacterID "
    "='7C9E6679-7425-40DE-944B-E07FC1F90AE7'";

// What a submit sends after a count of 0, to see whether its row is there.
const std::string kYellowLookUp =
    "SELECT MemberKey FROM Member Where MemberKey ='0F8FAD5B-D9CB-469F-A165-70867728950E'";
const std::string kPurpleLookUp =
    "SELECT CharacterID FROM TB_CharacterBasic Where CharacterID "
    "='7C9E6679-7425-40DE-944B-E07FC1F90AE7'";
const std::string kCyanLookUp =
    "SELECT CharacterID FROM TB_CharacterSub Where CharacterID "
    "='7C9E6679-7425-40DE-944B-E07FC1F90AE7'";

const ControlId kSubmitButtons[] = {kSubmitYellowButton, kSubmitPurpleButton, kSubmitCyanButton,
                                    kSubmitAllButton};

// gmdesk with the panel usable and, unless asked otherwise, a player on show.
class SubmitPanel {
 public:
  explicit SubmitPanel(PanelConnections connections = {},
                       const std::vector<Filled>& shown = kShownPlayer) {
    program_.Start();
    gmdesk_testing::OpenPlayerPanel(connections);
    for (const Filled& filled : shown)
      gmdesk_testing::Show(filled.box, filled.text);
    writes_seen_ = window().PropertyWrites().size();
  }

  GmdeskProgram& program() { return program_; }
  frame::HeadlessWindowSystem& window() { return program_.window(); }
  frame::ScriptedDatabase& database() { return program_.database(); }

  // Clicks, closes the result box and lets the worker end; the boxes shown.
  Texts Submit(ControlId button) {
    window().AnswerNextMessageBox(MessageBoxButton::kOk);
    EXPECT_TRUE(window().Click(button));
    program_.Settle();
    return program_.NewBoxes();
  }

  std::vector<PropertyWrite> NewWrites() {
    const auto& writes = window().PropertyWrites();
    std::vector<PropertyWrite> fresh(writes.begin() + static_cast<ptrdiff_t>(writes_seen_),
                                     writes.end());
    writes_seen_ = writes.size();
    return fresh;
  }

  // Serves the workers until the condition holds.
  void WaitUntil(const std::function<bool()>& condition) {
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!condition()) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the workers did not get there";
      window().WaitForActivity(5ms);
      window().ProcessPendingTasks();
    }
  }

 private:
  GmdeskProgram program_;
  size_t writes_seen_ = 0;
};

PropertyWrite Disabled(ControlId button, bool disabled) {
  return {button, Property::kDisabled, disabled};
}

TEST(PlayerSubmits, EachSubmitSendsItsStatementsAndReportsSuccess) {
  struct Case {
    const char* name;
    ControlId button;
    Texts statements;
    std::vector<ControlId> connections;
  };
  const Case cases[] = {
      {"yellow", kSubmitYellowButton, {kYellowStatement}, {kMemberConnection}},
      {"purple", kSubmitPurpleButton, {kPurpleStatement}, {kGameConnection}},
      {"cyan", kSubmitCyanButton, {kCyanStatement}, {kGameConnection}},
      {"all areas",
       kSubmitAllButton,
       {kYellowStatement, kPurpleStatement, kCyanStatement},
       {kMemberConnection, kGameConnection, kGameConnection}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SubmitPanel panel;
    // Each update changes its one row.
    panel.database().Script(frame::Contains("update "), {.changed_rows = 1});

    EXPECT_EQ(panel.Submit(c.button), Texts{kSubmitted});

    EXPECT_EQ(panel.program().NewStatements(), c.statements);
    std::vector<ControlId> connections;
    for (const auto& statement : panel.database().statements()) {
      EXPECT_FALSE(statement.query);
      connections.push_back(statement.connection);
    }
    EXPECT_EQ(connections, c.connections);
    const auto box = panel.window().MessageBoxes().back();
    EXPECT_EQ(box.caption, "信息：");
    EXPECT_EQ(box.flags & 0xff, 0);  // OK only, no icon
    EXPECT_TRUE(box.from_worker);
    // Only its own button, disabled and enabled again.
    EXPECT_EQ(panel.NewWrites(),
              (std::vector<PropertyWrite>{Disabled(c.button, true), Disabled(c.button, false)}));
    for (ControlId button : kSubmitButtons)
      EXPECT_TRUE(panel.window().IsUsable(button));
    // The boxes are not refreshed.
    EXPECT_EQ(panel.window().TextOf(kCharacterNameBox), "剑客");
  }
}

TEST(PlayerSubmits, TypedTextsGoBetweenQuotesAsTheyStand) {
  struct Case {
    const char* name;
    std::vector<Filled> shown;
    Texts statements;  // of the all-areas submit
  };
  std::vector<Filled> quoted = kShownPlayer;
  quoted.push_back({kAccountKeyBox, "k'"});
  quoted.push_back({kAccountCashBox, "1'2"});
  quoted.push_back({kCharacterIdBox, "x'y"});
  quoted.push_back({kAgilityBox, "'"});
  const Case cases[] = {
      {"nothing queried yet: empty values and keys",
       {},
       {"update Member set Cash ='' ,BonusCash ='',Gender ='' where MemberKey =''",
        "update TB_CharacterBasic set State='', Name=N'', Gender='' ,HairStyle='', HairColor='', "
        "Face='', Jacket='', Gloves='', Pants='', Shoes='' where CharacterID =''",
        "update TB_CharacterSub set Class='', Lv='', Exp='', Money='', HP='', MP='', CP='', "
        "ExtraSkillPoint='', RecentMap='', BonusStatus='', AddedSTR='', AddedINT='', "
        "AddedDEX='', AddedCON='' where CharacterID =''"}},
      {"quotes doubled",
       quoted,
       {"update Member set Cash ='1''2' ,BonusCash ='12.50000000',Gender ='1' where MemberKey "
        "='k'''",
        "update TB_CharacterBasic set State='0', Name=N'O''Neil', Gender='1' ,HairStyle='3', "
        "HairColor='4', Face='5', Jacket='1001', Gloves='2002', Pants='3003', Shoes='4004' where "
        "CharacterID ='x''y'",
        "update TB_CharacterSub set Class='2', Lv='45', Exp='123456', Money='1000.50000000', "
        "HP='900', MP='300', CP='77', ExtraSkillPoint='12', RecentMap='101', BonusStatus='30', "
        "AddedSTR='10', AddedINT='5', AddedDEX='''', AddedCON='7' where CharacterID ='x''y'"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SubmitPanel panel({}, c.shown);
    if (!c.shown.empty()) panel.program().Type(kCharacterNameBox, "O'Neil");

    EXPECT_EQ(panel.Submit(kSubmitAllButton), Texts{kSubmitted});
    EXPECT_EQ(panel.program().NewStatements(), c.statements);
  }
}

// A lead byte with no character after it, as a box may hold when its text
// came from elsewhere, cannot take the quote after it in.
TEST(PlayerSubmits, AStrayLeadByteBeforeAQuoteStaysInsideItsLiteral) {
  SubmitPanel panel;
  frame::SetControlProperty(kMainWindow, kCharacterNameBox, Property::kText, "\x81' where 1=1 --");

  EXPECT_EQ(panel.Submit(kSubmitPurpleButton), Texts{kSubmitted});
  EXPECT_EQ(panel.database().statement_texts(),
            Texts{"update TB_CharacterBasic set State='0', Name=N'\x81'' where 1=1 --', "
                  "Gender='1' ,HairStyle='3', HairColor='4', Face='5', Jacket='1001', "
                  "Gloves='2002', Pants='3003', Shoes='4004' where CharacterID "
                  "='7C9E6679-7425-40DE-944B-E07FC1F90AE7'"});
}

enum class Fault { kStatementFails, kNoRowChanged, kMemberConnectionClosed };

TEST(PlayerSubmits, AFailureIsReportedByTheStepThatFailed) {
  struct Case {
    const char* name;
    ControlId button;
    Fault fault;
    const char* failing;  // the statement that fails, by its start
    Texts sent;
    std::string box;
  };
  const std::string kNot = kNotSubmitted;
  const Case cases[] = {
      {"yellow fails",
       kSubmitYellowButton,
       Fault::kStatementFails,
       "update Member",
       {kYellowStatement},
       kNot},
      {"yellow changes no row",
       kSubmitYellowButton,
       Fault::kNoRowChanged,
       "update Member",
       {kYellowStatement, kYellowLookUp},
       kNot},
      {"yellow without its connection",
       kSubmitYellowButton,
       Fault::kMemberConnectionClosed,
       "",
       {},
       kNot},
      {"purple fails",
       kSubmitPurpleButton,
       Fault::kStatementFails,
       "update TB_CharacterBasic",
       {kPurpleStatement},
       kNot},
      {"purple changes no row",
       kSubmitPurpleButton,
       Fault::kNoRowChanged,
       "update TB_CharacterBasic",
       {kPurpleStatement, kPurpleLookUp},
       kNot},
      {"cyan fails",
       kSubmitCyanButton,
       Fault::kStatementFails,
       "update TB_CharacterSub",
       {kCyanStatement},
       kNot},
      {"cyan changes no row",
       kSubmitCyanButton,
       Fault::kNoRowChanged,
       "update TB_CharacterSub",
       {kCyanStatement, kCyanLookUp},
       kNot},
      {"all, yellow fails",
       kSubmitAllButton,
       Fault::kStatementFails,
       "update Member",
       {kYellowStatement},
       kNot + "-1黄"},
      {"all, without the account connection",
       kSubmitAllButton,
       Fault::kMemberConnectionClosed,
       "",
       {},
       kNot + "-1黄"},
      {"all, purple changes no row",
       kSubmitAllButton,
       Fault::kNoRowChanged,
       "update TB_CharacterBasic",
       {kYellowStatement, kPurpleStatement, kPurpleLookUp},
       kNot + "-2紫"},
      {"all, purple fails",
       kSubmitAllButton,
       Fault::kStatementFails,
       "update TB_CharacterBasic",
       {kYellowStatement, kPurpleStatement},
       kNot + "-2紫"},
      {"all, cyan fails",
       kSubmitAllButton,
       Fault::kStatementFails,
       "update TB_CharacterSub",
       {kYellowStatement, kPurpleStatement, kCyanStatement},
       kNot + "-3青"},
      {"all, cyan changes no row",
       kSubmitAllButton,
       Fault::kNoRowChanged,
       "update TB_CharacterSub",
       {kYellowStatement, kPurpleStatement, kCyanStatement, kCyanLookUp},
       kNot + "-3青"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SubmitPanel panel({.member_opens = c.fault != Fault::kMemberConnectionClosed});
    panel.database().Script(frame::Contains("update "), {.changed_rows = 1});
    if (c.fault == Fault::kStatementFails)
      panel.database().FailStatement(frame::Contains(c.failing));
    if (c.fault == Fault::kNoRowChanged) {
      panel.database().Script(frame::Contains(c.failing), {.changed_rows = 0});
    }

    EXPECT_EQ(panel.Submit(c.button), Texts{c.box});
    EXPECT_EQ(panel.program().NewStatements(), c.sent);
    EXPECT_EQ(panel.NewWrites(),
              (std::vector<PropertyWrite>{Disabled(c.button, true), Disabled(c.button, false)}));
  }
}

// The count may be a trigger's: a key whose row is there was written, and so
// was one that the look-up could not tell about.
TEST(PlayerSubmits, ACountOfZeroForARowThatIsThereIsWritten) {
  struct Case {
    ControlId button;
    Texts sent;
  };
  const Case cases[] = {
      {kSubmitYellowButton, {kYellowStatement, kYellowLookUp}},
      {kSubmitPurpleButton, {kPurpleStatement, kPurpleLookUp}},
      {kSubmitCyanButton, {kCyanStatement, kCyanLookUp}},
      {kSubmitAllButton,
       {kYellowStatement, kYellowLookUp, kPurpleStatement, kPurpleLookUp, kCyanStatement,
        kCyanLookUp}},
  };
  for (LookUp look_up : {LookUp::kFindsRow, LookUp::kFails}) {
    for (const Case& c : cases) {
      SubmitPanel panel;
      panel.database().Script(frame::Contains("update "), {.changed_rows = 0});
      for (const std::string& statement : {kYellowLookUp, kPurpleLookUp, kCyanLookUp})
        ScriptLookUp(panel.database(), statement, look_up);
      EXPECT_EQ(panel.Submit(c.button), Texts{kSubmitted});
      EXPECT_EQ(panel.program().NewStatements(), c.sent);
      auto statements = panel.database().statements();
      EXPECT_EQ(statements[1].connection,
                c.button == kSubmitPurpleButton || c.button == kSubmitCyanButton
                    ? kGameConnection
                    : kMemberConnection)
          << "the look-up goes where its statement went";
    }
  }
}

// A submit whose worker cannot start sent nothing: its failure, at once, and
// the button as it was.
TEST(PlayerSubmits, ASubmitWhoseThreadCannotStartReportsItsFailure) {
  for (ControlId button : kSubmitButtons) {
    SubmitPanel panel;
    panel.program().program().FailThreadStarts(true);
    EXPECT_EQ(panel.Submit(button), Texts{kNotSubmitted});
    EXPECT_TRUE(panel.program().NewStatements().empty());
    EXPECT_TRUE(panel.NewWrites().empty());
    EXPECT_TRUE(panel.window().IsUsable(button));
  }
}

// Connecting enables the panel with the game database alone: the account's
// area then fails at once, the character areas still write.
TEST(PlayerSubmits, WithoutTheAccountDatabaseOnlyTheCharacterAreasWrite) {
  GmdeskProgram gmdesk;
  gmdesk.database().RefuseConnect(frame::ConnectsToDatabase("KV7_Member"));
  gmdesk.Start();
  EXPECT_FALSE(gmdesk.window().Click(kSubmitYellowButton));

  gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
  gmdesk.Connect();
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"连接失败：KV7_Member"});
  gmdesk.NewStatements();
  for (const Filled& filled : kShownPlayer)
    gmdesk_testing::Show(filled.box, filled.text);

  struct Case {
    ControlId button;
    Texts sent;
    const char* box;
  };
  const Case cases[] = {
      {kSubmitYellowButton, {}, kNotSubmitted},
      {kSubmitAllButton, {}, "提交数据命令执行失败-1黄"},
      {kSubmitPurpleButton, {kPurpleStatement}, kSubmitted},
      {kSubmitCyanButton, {kCyanStatement}, kSubmitted},
  };
  for (const Case& c : cases) {
    gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
    ASSERT_TRUE(gmdesk.window().Click(c.button));
    gmdesk.Settle();
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{c.box});
    EXPECT_EQ(gmdesk.NewStatements(), c.sent);
  }
}

// A worker's box blocks only that worker: the other buttons and the account
// query go on working, and each button waits for its own box.
TEST(PlayerSubmits, AButtonStaysDisabledWhileItsBoxIsOpenAndTheWindowStaysUsable) {
  SubmitPanel panel;
  auto& window = panel.window();

  ASSERT_TRUE(window.Click(kSubmitYellowButton));
  auto yellow_box = window.WaitForOpenMessageBox(5s);
  ASSERT_TRUE(yellow_box.has_value());
  EXPECT_EQ(yellow_box->text, kSubmitted);
  EXPECT_TRUE(window.IsDisabled(kSubmitYellowButton));
  EXPECT_TRUE(window.IsUsable(kSubmitPurpleButton));
  EXPECT_TRUE(window.IsUsable(kSubmitCyanButton));
  EXPECT_TRUE(window.IsUsable(kSubmitAllButton));

  panel.program().Type(kQueryAccountBox, "");
  ASSERT_TRUE(window.Click(kQueryButton));
  EXPECT_EQ(window.MessageBoxes().back().text, "请输入帐号");
  EXPECT_FALSE(window.MessageBoxes().back().from_worker);

  ASSERT_TRUE(window.Click(kSubmitAllButton));
  panel.WaitUntil([&] { return window.OpenMessageBoxCount() == 2; });
  EXPECT_TRUE(window.IsDisabled(kSubmitAllButton));
  EXPECT_TRUE(window.IsDisabled(kSubmitYellowButton));

  ASSERT_TRUE(window.AnswerOpenMessageBox(MessageBoxButton::kOk));
  panel.WaitUntil([&] { return !window.IsDisabled(kSubmitYellowButton); });
  EXPECT_TRUE(window.IsDisabled(kSubmitAllButton));
  ASSERT_TRUE(window.AnswerOpenMessageBox(MessageBoxButton::kOk));
  panel.program().Settle();

  EXPECT_EQ(panel.NewWrites(),
            (std::vector<PropertyWrite>{
                Disabled(kSubmitYellowButton, true), Disabled(kSubmitAllButton, true),
                Disabled(kSubmitYellowButton, false), Disabled(kSubmitAllButton, false)}));
  EXPECT_EQ(panel.program().NewBoxes(), (Texts{kSubmitted, "请输入帐号", kSubmitted}));
  for (ControlId button : kSubmitButtons)
    EXPECT_TRUE(window.IsUsable(button));
}

// All three statements are built before the first is sent: what is typed
// while they run is not written.
TEST(PlayerSubmits, AllAreasDisablesItsButtonFirstAndSendsWhatItBuiltAtItsStart) {
  SubmitPanel panel;
  panel.database().Script(frame::Contains("update Member"), {.delay = 300ms});

  ASSERT_TRUE(panel.window().Click(kSubmitAllButton));
  panel.WaitUntil([&] { return panel.database().statements().size() == 1; });
  EXPECT_TRUE(panel.window().IsDisabled(kSubmitAllButton));
  EXPECT_TRUE(panel.window().IsUsable(kSubmitYellowButton));
  panel.program().Type(kLevelBox, "99");
  panel.program().Type(kCharacterNameBox, "新名字");

  auto box = panel.window().WaitForOpenMessageBox(5s);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, kSubmitted);
  ASSERT_TRUE(panel.window().AnswerOpenMessageBox(MessageBoxButton::kOk));
  panel.program().Settle();

  EXPECT_EQ(panel.program().NewStatements(),
            (Texts{kYellowStatement, kPurpleStatement, kCyanStatement}));
  EXPECT_EQ(panel.window().TextOf(kLevelBox), "99");
}

}  // namespace
