#include "gmdesk/account_query.h"

#include <optional>
#include <string_view>
#include <vector>

#include "frame/db/db_services.h"
#include "frame/db/record_set.h"
#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/main_window.h"
#include "gmdesk/player_areas.h"

namespace gmdesk {
namespace {

using frame::Property;

void SetBoxText(ControlId box, const frame::Text& text) {
  frame::SetControlProperty(kMainWindow, box, Property::kText, text);
}

void OpenRecords(ControlId connection, const frame::Text& statement) {
  frame::AttachRecordSet(kMainWindow, kRecordSet1, connection);
  frame::OpenRecordSet(kMainWindow, kRecordSet1, statement, frame::RecordSet::kStatementText);
}

frame::Text ReadField(std::string_view column) {
  frame::Text value;
  frame::ReadFieldText(kMainWindow, kRecordSet1, column, value);
  return value;
}

// Reads the area's columns from the row selected by the key, then shows them:
// a statement that fails or finds no row empties every box of the area.
void ShowArea(const PlayerArea& area, const frame::Text& key) {
  OpenRecords(area.connection,
              frame::ConcatTexts(area.select_start, frame::DoubleQuotes(key), area.select_end));
  std::vector<frame::Text> values;
  for (const PanelPair& field : area.fields)
    values.push_back(ReadField(field.column.name));
  for (size_t i = 0; i < area.fields.size(); ++i)
    SetBoxText(area.fields[i].box.id, ShownValue(area.fields[i], values[i]));
  frame::CloseRecordSet(kMainWindow, kRecordSet1);
}

void ListCharacters(const frame::Text& quoted_account_key) {
  AppendColumnToLists(kRecordSet1, kGameConnection,
                      frame::ConcatTexts("SELECT Name  FROM TB_CharacterBasic Where MemberID  ='",
                                         quoted_account_key, "'"),
                      "Name", {kCharacterList});
}

// The character view: the character of that name on the account shown, as
// another account's character may share the name.
void ShowCharacter(const frame::Text& name) {
  frame::Text character_id =
      ReadOneField(kRecordSet1, kGameConnection,
                   frame::ConcatTexts("SELECT CharacterID  FROM TB_CharacterBasic Where Name =N'",
                                      frame::DoubleQuotes(name), "' AND MemberID ='",
                                      QuotedText(kAccountKeyBox), "'"),
                   "CharacterID");
  SetBoxText(kCharacterIdBox, KeyText(character_id));
  ShowArea(kPlayerAreas[kPurpleArea], BoxText(kCharacterIdBox));
  ShowArea(kPlayerAreas[kCyanArea], BoxText(kCharacterIdBox));
}

frame::Text ShownCharacterName() {
  return PropertyText(kCharacterList, Property::kContentText);
}

}  // namespace

void QueryAccount() {
  frame::ClearComboItems(kMainWindow, kCharacterList);
  frame::FocusControl(kMainWindow, kCharacterList);

  frame::Text account = BoxText(kQueryAccountBox);
  if (account.empty()) {
    frame::ShowMessageBox(frame::Gbk("请输入帐号"));
    return;
  }
  // The server may match another letter case or trailing blanks; only the
  // account exactly as stored counts as found.
  std::optional<frame::Text> stored_id = TryReadOneField(
      kRecordSet1, kMemberConnection,
      frame::ConcatTexts("SELECT ID FROM Member Where ID ='", frame::DoubleQuotes(account), "'"),
      "ID");
  // A check that could not run says nothing about the account: an operator
  // told that it does not exist might register it again.
  if (!stored_id) {
    frame::ShowMessageBox(frame::Gbk("查询帐号数据失败"));
    return;
  }
  if (*stored_id != account) {
    frame::ShowMessageBox(frame::Gbk("该帐号不存在"));
    return;
  }

  frame::Text member_key =
      ReadOneField(kRecordSet1, kMemberConnection,
                   frame::ConcatTexts("SELECT MemberKey FROM Member Where ID ='",
                                      frame::DoubleQuotes(account), "'"),
                   "MemberKey");
  SetBoxText(kAccountKeyBox, KeyText(member_key));
  ShowArea(kPlayerAreas[kYellowArea], account);

  ListCharacters(QuotedText(kAccountKeyBox));
  // Selecting from the program raises no pick: the view is shown here.
  frame::SetControlProperty(kMainWindow, kCharacterList, Property::kSelectedIndex, 0);
  ShowCharacter(ShownCharacterName());
}

void OnCharacterSelected() {
  ShowCharacter(ShownCharacterName());
}

}  // namespace gmdesk
