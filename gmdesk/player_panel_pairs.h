// The 29 label-and-box pairs of 分组框5, row by row, in four runs of one colour
// each. A pair shares one line: the label starts at `left`, the box where the
// label ends, both 20 high. The boxes of the three colour-coded areas also
// name the column they show and the piece of the area's update that comes
// before their text.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "frame/window/window_model.h"
#include "gmdesk/account_query.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

// A control of the panel: its id and its design name.
struct NamedControl {
  frame::ControlId id;
  std::string_view name;
};

struct PairPlace {
  int32_t left;
  int32_t top;
  int32_t label_width;
  int32_t box_width;
};

// The column an area's box shows.
struct AreaColumn {
  std::string_view name;
  // The piece of the area's update that comes before the box's text.
  std::string_view update_piece;
  // Shown without a ".00000000" ending.
  bool whole_amount = false;
};
inline constexpr bool kWholeAmount = true;

enum class PairBox { kNumeric, kText, kReadOnly, kList };

struct PanelPair {
  NamedControl label;
  std::string_view caption;
  NamedControl box;
  PairPlace place;
  AreaColumn column = {};  // none outside the areas
  PairBox kind = PairBox::kNumeric;
  int32_t max_length = 0;
  std::span<const frame::EventBinding> events = {};
};

// The blanks in the pieces are sent as they stand; the server does not mind them.
inline constexpr PanelPair kAccountPairs[] = {
    {{ControlNumber(0x1758), "标签48"},
     "帐号龙币(酷币)：",
     {kAccountCashBox, "编辑框39"},
     {8, 48, 96, 80},
     {"Cash", "update Member set Cash ='", kWholeAmount}},
    {{ControlNumber(0x175a), "标签49"},
     "帐号积分(红利)：",
     {kAccountBonusCashBox, "编辑框40"},
     {184, 48, 96, 80},
     {"BonusCash", "' ,BonusCash ='", kWholeAmount}},
    {{ControlNumber(0x175c), "标签50"},
     "性别1=男，2=女(没卵用)：",
     {kAccountGenderBox, "编辑框41"},
     {360, 48, 144, 40},
     {"Gender", "',Gender ='"},
     PairBox::kNumeric,
     1},
};

// The character shown: between the account and its appearance.
inline constexpr PanelPair kCharacterPairs[] = {
    {{ControlNumber(0x173d), "标签43"},
     "帐号角色：",
     {kCharacterList, "组合框8"},
     {8, 72, 56, 128},
     {},
     PairBox::kList,
     0,
     frame::BindEvent0<&OnCharacterSelected>},
    {{ControlNumber(0x1740), "标签44"},
     "角色ID码：",
     {kCharacterIdBox, "编辑框35"},
     {192, 72, 56, 296},
     {},
     PairBox::kReadOnly},
};

// The box beside the label "鞋子：" holds Gloves and the one beside "手套："
// holds Shoes: boxes pair with columns as listed here, not by their labels.
inline constexpr PanelPair kAppearancePairs[] = {
    {{ControlNumber(0x1752), "标签45"},
     "角色状态(0=显，1=隐)：",
     {kCharacterStateBox, "编辑框36"},
     {8, 96, 128, 56},
     {"State", "update TB_CharacterBasic set State='"},
     PairBox::kNumeric,
     1},
    {{ControlNumber(0x1754), "标签46"},
     "角色名字：",
     {kCharacterNameBox, "编辑框37"},
     {192, 96, 56, 120},
     {"Name", "', Name=N'"},
     PairBox::kText},
    {{ControlNumber(0x1756), "标签47"},
     "角色性别(1=男，2=女)：",
     {kCharacterGenderBox, "编辑框38"},
     {368, 96, 128, 48},
     {"Gender", "', Gender='"},
     PairBox::kNumeric,
     1},
    {{ControlNumber(0x1780), "标签51"},
     "发型：",
     {kHairBox, "编辑框42"},
     {8, 120, 40, 80},
     {"HairStyle", "' ,HairStyle='"}},
    {{ControlNumber(0x1782), "标签52"},
     "发色：",
     {kHairColorBox, "编辑框43"},
     {128, 120, 40, 80},
     {"HairColor", "', HairColor='"}},
    {{ControlNumber(0x1784), "标签53"},
     "脸型：",
     {kFaceBox, "编辑框44"},
     {248, 120, 40, 80},
     {"Face", "', Face='"}},
    {{ControlNumber(0x1786), "标签54"},
     "衣服：",
     {kClothesBox, "编辑框45"},
     {368, 120, 40, 136},
     {"Jacket", "', Jacket='"}},
    {{ControlNumber(0x1788), "标签55"},
     "鞋子：",
     {kShoesBox, "编辑框46"},
     {8, 144, 40, 80},
     {"Gloves", "', Gloves='"}},
    {{ControlNumber(0x178a), "标签56"},
     "裤子：",
     {kTrousersBox, "编辑框47"},
     {128, 144, 40, 80},
     {"Pants", "', Pants='"}},
    {{ControlNumber(0x178c), "标签57"},
     "手套：",
     {kGlovesBox, "编辑框48"},
     {248, 144, 40, 80},
     {"Shoes", "', Shoes='"}},
};

inline constexpr PanelPair kStatisticsPairs[] = {
    {{ControlNumber(0x178e), "标签58"},
     "职业：",
     {kClassBox, "编辑框49"},
     {368, 144, 40, 48},
     {"Class", "update TB_CharacterSub set Class='"}},
    {{ControlNumber(0x1790), "标签59"},
     "等级：",
     {kLevelBox, "编辑框50"},
     {456, 144, 40, 48},
     {"Lv", "', Lv='"}},
    {{ControlNumber(0x1794), "标签60"},
     "EXP值：",
     {kExpBox, "编辑框51"},
     {8, 168, 40, 80},
     {"Exp", "', Exp='", kWholeAmount}},
    {{ControlNumber(0x1796), "标签61"},
     "金钱：",
     {kMoneyBox, "编辑框52"},
     {128, 168, 40, 80},
     {"Money", "', Money='", kWholeAmount}},
    {{ControlNumber(0x1798), "标签62"},
     "HP值：",
     {kHpBox, "编辑框53"},
     {248, 168, 40, 80},
     {"HP", "', HP='"}},
    {{ControlNumber(0x179a), "标签63"},
     "MP值：",
     {kMpBox, "编辑框54"},
     {368, 168, 40, 136},
     {"MP", "', MP='"}},
    {{ControlNumber(0x179e), "标签64"},
     "荣誉点：",
     {kHonorBox, "编辑框55"},
     {8, 192, 48, 80},
     {"CP", "', CP='"}},
    {{ControlNumber(0x17a0), "标签65"},
     "技能点：",
     {kSkillPointBox, "编辑框56"},
     {128, 192, 48, 72},
     {"ExtraSkillPoint", "', ExtraSkillPoint='"}},
    {{ControlNumber(0x17a2), "标签66"},
     "地图：",
     {kMapBox, "编辑框57"},
     {248, 192, 40, 80},
     {"RecentMap", "', RecentMap='"}},
    {{ControlNumber(0x17a4), "标签67"},
     "额外总点数：",
     {kBonusPointBox, "编辑框58"},
     {368, 192, 72, 104},
     {"BonusStatus", "', BonusStatus='"},
     PairBox::kNumeric,
     5},
    {{ControlNumber(0x17a9), "标签69"},
     "额外力点：",
     {kStrengthBox, "编辑框59"},
     {8, 216, 64, 64},
     {"AddedSTR", "', AddedSTR='"},
     PairBox::kNumeric,
     5},
    {{ControlNumber(0x17ab), "标签70"},
     "额外智点：",
     {kIntellectBox, "编辑框60"},
     {136, 216, 64, 72},
     {"AddedINT", "', AddedINT='"},
     PairBox::kNumeric,
     5},
    {{ControlNumber(0x17ad), "标签71"},
     "额外敏点：",
     {kAgilityBox, "编辑框61"},
     {272, 216, 64, 72},
     {"AddedDEX", "', AddedDEX='"},
     PairBox::kNumeric,
     5},
    {{ControlNumber(0x17af), "标签72"},
     "额外体点：",
     {kVitalityBox, "编辑框62"},
     {408, 216, 64, 72},
     {"AddedCON", "', AddedCON='"},
     PairBox::kNumeric,
     5},
};

}  // namespace gmdesk
