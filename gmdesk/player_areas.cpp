#include "gmdesk/player_areas.h"

#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

const std::array<PlayerArea, 3> kPlayerAreas = {{
    {.fields = kAccountPairs,
     .connection = kMemberConnection,
     .select_start = "SELECT Cash ,BonusCash ,Gender  FROM Member  Where ID='",
     .select_end = "' ",
     .key_piece = "' where MemberKey ='",
     .key_box = kAccountKeyBox,
     .row_key = kAccountByKey,
     .submit_button = kSubmitYellowButton,
     .failed_step = "-1黄"},
    {.fields = kAppearancePairs,
     .connection = kGameConnection,
     .select_start = "SELECT State , Name, Gender ,HairStyle, HairColor, Face, Jacket, Gloves, "
                     "Pants, Shoes FROM TB_CharacterBasic Where CharacterID ='",
     .select_end = "'",
     .key_piece = "' where CharacterID ='",
     .key_box = kCharacterIdBox,
     .row_key = kCharacterBasicById,
     .submit_button = kSubmitPurpleButton,
     .failed_step = "-2紫"},
    {.fields = kStatisticsPairs,
     .connection = kGameConnection,
     .select_start = "SELECT  Class, Lv, Exp, Money, HP, MP, CP, ExtraSkillPoint, RecentMap, "
                     "BonusStatus, AddedSTR, AddedINT, AddedDEX, AddedCON  FROM TB_CharacterSub "
                     "Where CharacterID ='",
     .select_end = "'",
     .key_piece = "' where CharacterID ='",
     .key_box = kCharacterIdBox,
     .row_key = kCharacterSubById,
     .submit_button = kSubmitCyanButton,
     .failed_step = "-3青"},
}};

frame::Text ShownValue(const PanelPair& field, const frame::Text& read) {
  // Only as the ending: inside 1.0000000001 its deletion would show 101.
  constexpr std::string_view kWholeEnding = ".00000000";
  if (field.column.whole_amount && read.ends_with(kWholeEnding)) {
    return read.substr(0, read.size() - kWholeEnding.size());
  }
  return read;
}

frame::Text KeyText(const frame::Text& read) {
  // A key that comes back without braces (a text column, say) is already the
  // key: cutting its first character would aim every submit at no row.
  if (read.starts_with('{')) return frame::MidText(read, 2, 36);
  return read;
}

}  // namespace gmdesk
