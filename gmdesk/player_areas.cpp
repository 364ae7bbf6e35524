#include "gmdesk/player_areas.h"

#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {
namespace {

// The blanks in the pieces are sent as they stand; the server does not mind them.
constexpr AreaField kMemberFields[] = {
    {"Cash", kAccountCashBox, "update Member set Cash ='", true},
    {"BonusCash", kAccountBonusCashBox, "' ,BonusCash ='", true},
    {"Gender", kAccountGenderBox, "',Gender ='"},
};

// The box beside the label "鞋子：" holds Gloves and the one beside "手套："
// holds Shoes: boxes pair with columns as listed here, not by their labels.
constexpr AreaField kCharacterBasicFields[] = {
    {"State", kCharacterStateBox, "update TB_CharacterBasic set State='"},
    {"Name", kCharacterNameBox, "', Name=N'"},
    {"Gender", kCharacterGenderBox, "', Gender='"},
    {"HairStyle", kHairBox, "' ,HairStyle='"},
    {"HairColor", kHairColorBox, "', HairColor='"},
    {"Face", kFaceBox, "', Face='"},
    {"Jacket", kClothesBox, "', Jacket='"},
    {"Gloves", kShoesBox, "', Gloves='"},
    {"Pants", kTrousersBox, "', Pants='"},
    {"Shoes", kGlovesBox, "', Shoes='"},
};

constexpr AreaField kCharacterSubFields[] = {
    {"Class", kClassBox, "update TB_CharacterSub set Class='"},
    {"Lv", kLevelBox, "', Lv='"},
    {"Exp", kExpBox, "', Exp='", true},
    {"Money", kMoneyBox, "', Money='", true},
    {"HP", kHpBox, "', HP='"},
    {"MP", kMpBox, "', MP='"},
    {"CP", kHonorBox, "', CP='"},
    {"ExtraSkillPoint", kSkillPointBox, "', ExtraSkillPoint='"},
    {"RecentMap", kMapBox, "', RecentMap='"},
    {"BonusStatus", kBonusPointBox, "', BonusStatus='"},
    {"AddedSTR", kStrengthBox, "', AddedSTR='"},
    {"AddedINT", kIntellectBox, "', AddedINT='"},
    {"AddedDEX", kAgilityBox, "', AddedDEX='"},
    {"AddedCON", kVitalityBox, "', AddedCON='"},
};

}  // namespace

const std::array<PlayerArea, 3> kPlayerAreas = {{
    {.fields = kMemberFields,
     .connection = kMemberConnection,
     .select_start = "SELECT Cash ,BonusCash ,Gender  FROM Member  Where ID='",
     .select_end = "' ",
     .key_piece = "' where MemberKey ='",
     .key_box = kAccountKeyBox,
     .row_key = kAccountByKey,
     .submit_button = kSubmitYellowButton,
     .failed_step = "-1黄"},
    {.fields = kCharacterBasicFields,
     .connection = kGameConnection,
     .select_start = "SELECT State , Name, Gender ,HairStyle, HairColor, Face, Jacket, Gloves, "
                     "Pants, Shoes FROM TB_CharacterBasic Where CharacterID ='",
     .select_end = "'",
     .key_piece = "' where CharacterID ='",
     .key_box = kCharacterIdBox,
     .row_key = kCharacterBasicById,
     .submit_button = kSubmitPurpleButton,
     .failed_step = "-2紫"},
    {.fields = kCharacterSubFields,
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

frame::Text ShownValue(const AreaField& field, const frame::Text& read) {
  // Only as the ending: inside 1.0000000001 its deletion would show 101.
  constexpr std::string_view kWholeEnding = ".00000000";
  if (field.whole_amount && read.ends_with(kWholeEnding)) {
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
