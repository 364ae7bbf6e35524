#include "gmdesk/server_settings.h"

#include <string_view>

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/channel_notices.h"
#include "gmdesk/main_window.h"
#include "gmdesk/timed_notices.h"

namespace gmdesk {
namespace {

using frame::Property;

// The six settings of section Server, in the order they are read and written.
struct Setting {
  const char* key;
  ControlId box;
};

constexpr Setting kSettings[] = {
    {"IP", kServerBox},          {"ID", kUserBox},
    {"PW", kPasswordBox},        {"DB1", kMemberDatabaseBox},
    {"DB2", kNoticeDatabaseBox}, {"DB3", kGameDatabaseBox},
};

// One database of the three: where its name is typed and what its opening
// makes available.
struct DatabaseRole {
  ControlId connection;
  ControlId database_box;
  void (*on_open)();
};

void OnMemberDatabaseOpen() {
  frame::SetControlProperty(kMainWindow, kCurrencyKindList, Property::kDisabled, false);
  frame::SetControlProperty(kMainWindow, kTopUpButton, Property::kCaption, frame::Gbk("增加"));
}

void OnNoticeDatabaseOpen() {
  frame::StartThread(LoadChannelNoticesThread);
  frame::SetControlProperty(kMainWindow, kNoticePanel, Property::kDisabled, false);
}

void OnGameDatabaseOpen() {
  frame::StartThread(LoadTimedNoticesThread);
  frame::SetControlProperty(kMainWindow, kSettingsPanel, Property::kDisabled, false);
  frame::SetControlProperty(kMainWindow, kPlayerPanel, Property::kDisabled, false);
}

constexpr DatabaseRole kDatabases[] = {
    {kMemberConnection, kMemberDatabaseBox, OnMemberDatabaseOpen},
    {kNoticeConnection, kNoticeDatabaseBox, OnNoticeDatabaseOpen},
    {kGameConnection, kGameDatabaseBox, OnGameDatabaseOpen},
};

// The file is found whatever the letter case of its name, so one name serves
// reading and writing alike.
frame::Text ConfigPath() {
  return frame::ConcatTexts(frame::GetProgramDirectory(), "\\Config.ini");
}

void SetConnectItemDisabled(bool disabled) {
  frame::SetControlProperty(kMainWindow, kConnectItem, frame::kMenuItemDisabled, disabled);
}

void ReportFailedConnect(const DatabaseRole& database) {
  frame::ShowMessageBox(
      frame::ConcatTexts(frame::Gbk("连接失败："), BoxText(database.database_box)));
}

// True when the database opened; each attempt reads the boxes afresh, so a
// change made while an earlier failure box was open counts.
bool TryDatabase(const DatabaseRole& database) {
  frame::Text server = BoxText(kServerBox);
  frame::Text name = BoxText(database.database_box);
  frame::Text user = BoxText(kUserBox);
  frame::Text password = BoxText(kPasswordBox);
  if (frame::ConnectSqlServer(kMainWindow, database.connection, server, name, user, password)) {
    database.on_open();
    return true;
  }
  ReportFailedConnect(database);
  return false;
}

void WriteServerConfig() {
  for (const Setting& setting : kSettings) {
    frame::WriteIniValue(ConfigPath(), "Server", setting.key, BoxText(setting.box));
  }
}

// The menu item stays disabled for the whole run, so that no second run can
// start on the same connections; it comes back only when a database failed.
void ConnectDatabases() {
  bool any_failed = false;
  for (const DatabaseRole& database : kDatabases) {
    if (!TryDatabase(database)) any_failed = true;
  }
  WriteServerConfig();
  if (any_failed) SetConnectItemDisabled(false);
}

void ConnectDatabasesThread() {
  ConnectDatabases();
}

}  // namespace

void LoadServerConfig() {
  for (const Setting& setting : kSettings) {
    frame::Text value = frame::ReadIniValue(ConfigPath(), "Server", setting.key);
    frame::SetControlProperty(kMainWindow, setting.box, Property::kText, value);
  }
}

void OnConnectMenu() {
  // Disabled here on the UI thread rather than by the thread itself, so that
  // a second choice of the item cannot slip in before the thread begins.
  SetConnectItemDisabled(true);
  if (frame::StartThread(ConnectDatabasesThread)) return;
  // Without its thread no database was tried: each is reported as not open.
  for (const DatabaseRole& database : kDatabases)
    ReportFailedConnect(database);
  SetConnectItemDisabled(false);
}

}  // namespace gmdesk
