// gmdesk's one window: its controls by role. The design name of each control
// stands beside it here and in its panel's definition rows (*_rows.h).
#pragma once

#include "frame/runtime/runtime.h"
#include "frame/window/window_model.h"

namespace gmdesk {

using frame::ControlId;
using frame::ControlNumber;
using frame::MenuItemNumber;

inline constexpr frame::WindowId kMainWindow = frame::kMainWindowId;

// Menu bar.
inline constexpr ControlId kProgramMenu = MenuItemNumber(0x1697);  // "程序"
inline constexpr ControlId kConnectItem = MenuItemNumber(0x1698);  // "工具连接MSSQL"
inline constexpr ControlId kExitItem = MenuItemNumber(0x16e3);     // "退出工具"
inline constexpr ControlId kAboutMenu = MenuItemNumber(0x16e5);    // "关于"
inline constexpr ControlId kAboutItem = MenuItemNumber(0x16e6);

// Panels and components on the window.
inline constexpr ControlId kServerPanel = ControlNumber(0x0008);       // 分组框1
inline constexpr ControlId kTopUpPanel = ControlNumber(0x156c);        // 分组框4
inline constexpr ControlId kPlayerPanel = ControlNumber(0x162c);       // 分组框5
inline constexpr ControlId kNoticePanel = ControlNumber(0x149e);       // 分组框2
inline constexpr ControlId kSettingsPanel = ControlNumber(0x1568);     // 分组框3
inline constexpr ControlId kBanner = ControlNumber(0x157d);            // 标签21
inline constexpr ControlId kWarningLine = ControlNumber(0x17a6);       // 标签68
inline constexpr ControlId kMemberConnection = ControlNumber(0x15ab);  // 数据库连接1
inline constexpr ControlId kNoticeConnection = ControlNumber(0x15a9);  // 数据库连接2
inline constexpr ControlId kGameConnection = ControlNumber(0x15a8);    // 数据库连接3
inline constexpr ControlId kRecordSet1 = ControlNumber(0x15aa);        // 记录集1
inline constexpr ControlId kRecordSet2 = ControlNumber(0x15a5);        // 记录集2
inline constexpr ControlId kRecordSet3 = ControlNumber(0x15a7);        // 记录集3
inline constexpr ControlId kRecordSet4 = ControlNumber(0x15a6);        // 记录集4
inline constexpr ControlId kRecordSet5 = ControlNumber(0x15ac);        // 记录集5

// 分组框1: server settings.
inline constexpr ControlId kServerBox = ControlNumber(0x0010);          // 编辑框3, IP
inline constexpr ControlId kUserBox = ControlNumber(0x0011);            // 编辑框4, ID
inline constexpr ControlId kPasswordBox = ControlNumber(0x0013);        // 编辑框5, PW
inline constexpr ControlId kMemberDatabaseBox = ControlNumber(0x0014);  // 编辑框6, DB1
inline constexpr ControlId kNoticeDatabaseBox = ControlNumber(0x14a0);  // 编辑框7, DB2
inline constexpr ControlId kGameDatabaseBox = ControlNumber(0x14ab);    // 编辑框8, DB3

// 分组框4: currency top-up.
inline constexpr ControlId kTopUpAccountBox = ControlNumber(0x1572);   // 编辑框1
inline constexpr ControlId kTopUpAmountBox = ControlNumber(0x1571);    // 编辑框2
inline constexpr ControlId kCurrencyKindList = ControlNumber(0x156d);  // 组合框1
inline constexpr ControlId kTopUpButton = ControlNumber(0x1570);       // 按钮1

// 分组框2: notices, on the tab 选择夹1.
inline constexpr ControlId kNoticeTabs = ControlNumber(0x14c8);  // 选择夹1
inline constexpr ControlId kNoticeHint = ControlNumber(0x14ca);  // 标签10
// Page 0, channel notices.
inline constexpr ControlId kChannelNoticeText = ControlNumber(0x14c9);     // 超级编辑框1
inline constexpr ControlId kChannelLog = ControlNumber(0x1560);            // 编辑框9
inline constexpr ControlId kChannelList = ControlNumber(0x16a6);           // 组合框7
inline constexpr ControlId kChannelUpdateButton = ControlNumber(0x14cd);   // 按钮4
inline constexpr ControlId kChannelListNoticeBox = ControlNumber(0x16a4);  // 编辑框32
// Page 1, edit a timed announcement.
inline constexpr ControlId kEditNoticeText = ControlNumber(0x14e8);       // 超级编辑框2
inline constexpr ControlId kEditNoticeLog = ControlNumber(0x14eb);        // 编辑框10
inline constexpr ControlId kEditNoticeStartBox = ControlNumber(0x15c2);   // 编辑框22
inline constexpr ControlId kEditNoticeEndBox = ControlNumber(0x15c4);     // 编辑框23
inline constexpr ControlId kEditNoticeButton = ControlNumber(0x14ec);     // 按钮5
inline constexpr ControlId kEditNoticeList = ControlNumber(0x14de);       // 组合框2
inline constexpr ControlId kEditNoticePeriodBox = ControlNumber(0x150c);  // 编辑框11
// Page 2, add a timed announcement.
inline constexpr ControlId kAddNoticeText = ControlNumber(0x151c);       // 超级编辑框3
inline constexpr ControlId kAddNoticeLog = ControlNumber(0x151d);        // 编辑框12
inline constexpr ControlId kAddNoticeStartBox = ControlNumber(0x1529);   // 编辑框15
inline constexpr ControlId kAddNoticeEndBox = ControlNumber(0x152b);     // 编辑框16
inline constexpr ControlId kAddNoticeButton = ControlNumber(0x1523);     // 按钮6
inline constexpr ControlId kAddNoticeNumberBox = ControlNumber(0x151f);  // 编辑框13
inline constexpr ControlId kAddNoticePeriodBox = ControlNumber(0x1521);  // 编辑框14
// Page 3, delete timed announcements.
inline constexpr ControlId kDeleteNoticeList = ControlNumber(0x1532);        // 组合框3
inline constexpr ControlId kDeleteNoticeLog = ControlNumber(0x1539);         // 编辑框17
inline constexpr ControlId kDeleteNoticeText = ControlNumber(0x1533);        // 超级编辑框4
inline constexpr ControlId kDeleteNoticeButton = ControlNumber(0x1536);      // 按钮8
inline constexpr ControlId kDeleteAllNoticesButton = ControlNumber(0x1535);  // 按钮7

// 分组框3: multiplier events, on the tab 选择夹2.
inline constexpr ControlId kMultiplierTabs = ControlNumber(0x1569);  // 选择夹2
// Its pages' controls stand in kMultiplierPages (multiplier_pages.h).

// 分组框5: player management.
inline constexpr ControlId kQueryPanel = ControlNumber(0x16f7);       // 分组框6
inline constexpr ControlId kQueryAccountBox = ControlNumber(0x16fb);  // 编辑框33
inline constexpr ControlId kQueryButton = ControlNumber(0x16fc);      // 按钮2
inline constexpr ControlId kAccountKeyBox = ControlNumber(0x1704);    // 编辑框34
// Yellow area: the account (Member).
inline constexpr ControlId kAccountCashBox = ControlNumber(0x1759);       // 编辑框39
inline constexpr ControlId kAccountBonusCashBox = ControlNumber(0x175b);  // 编辑框40
inline constexpr ControlId kAccountGenderBox = ControlNumber(0x175d);     // 编辑框41
// Purple area: the character's appearance (TB_CharacterBasic).
inline constexpr ControlId kCharacterList = ControlNumber(0x173e);       // 组合框8
inline constexpr ControlId kCharacterIdBox = ControlNumber(0x1741);      // 编辑框35
inline constexpr ControlId kCharacterStateBox = ControlNumber(0x1753);   // 编辑框36
inline constexpr ControlId kCharacterNameBox = ControlNumber(0x1755);    // 编辑框37
inline constexpr ControlId kCharacterGenderBox = ControlNumber(0x1757);  // 编辑框38
inline constexpr ControlId kHairBox = ControlNumber(0x1781);             // 编辑框42
inline constexpr ControlId kHairColorBox = ControlNumber(0x1783);        // 编辑框43
inline constexpr ControlId kFaceBox = ControlNumber(0x1785);             // 编辑框44
inline constexpr ControlId kClothesBox = ControlNumber(0x1787);          // 编辑框45
inline constexpr ControlId kShoesBox = ControlNumber(0x1789);            // 编辑框46
inline constexpr ControlId kTrousersBox = ControlNumber(0x178b);         // 编辑框47
inline constexpr ControlId kGlovesBox = ControlNumber(0x178d);           // 编辑框48
// Cyan area: the character's statistics (TB_CharacterSub).
inline constexpr ControlId kClassBox = ControlNumber(0x178f);       // 编辑框49
inline constexpr ControlId kLevelBox = ControlNumber(0x1791);       // 编辑框50
inline constexpr ControlId kExpBox = ControlNumber(0x1795);         // 编辑框51
inline constexpr ControlId kMoneyBox = ControlNumber(0x1797);       // 编辑框52
inline constexpr ControlId kHpBox = ControlNumber(0x1799);          // 编辑框53
inline constexpr ControlId kMpBox = ControlNumber(0x179b);          // 编辑框54
inline constexpr ControlId kHonorBox = ControlNumber(0x179f);       // 编辑框55
inline constexpr ControlId kSkillPointBox = ControlNumber(0x17a1);  // 编辑框56
inline constexpr ControlId kMapBox = ControlNumber(0x17a3);         // 编辑框57
inline constexpr ControlId kBonusPointBox = ControlNumber(0x17a5);  // 编辑框58
inline constexpr ControlId kStrengthBox = ControlNumber(0x17aa);    // 编辑框59
inline constexpr ControlId kIntellectBox = ControlNumber(0x17ac);   // 编辑框60
inline constexpr ControlId kAgilityBox = ControlNumber(0x17ae);     // 编辑框61
inline constexpr ControlId kVitalityBox = ControlNumber(0x17b0);    // 编辑框62
// 分组框7: the four submits.
inline constexpr ControlId kSubmitPanel = ControlNumber(0x17b1);         // 分组框7
inline constexpr ControlId kSubmitYellowButton = ControlNumber(0x186f);  // 按钮3
inline constexpr ControlId kSubmitPurpleButton = ControlNumber(0x1872);  // 按钮15
inline constexpr ControlId kSubmitCyanButton = ControlNumber(0x1873);    // 按钮16
inline constexpr ControlId kSubmitAllButton = ControlNumber(0x1874);     // 按钮17

extern const frame::WindowDefinition kMainWindowDefinition;

// The program as the frame runs it: the window, the start and exit routines.
extern const frame::Program kProgram;

}  // namespace gmdesk
