#include "gmdesk/channel_notices.h"

#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/log_box.h"
#include "gmdesk/main_window.h"
#include "gmdesk/notice_pages.h"

namespace gmdesk {
namespace {

using frame::Property;

constexpr PageStatement kChannelUpdate{.connection = kNoticeConnection,
                                       .button = kChannelUpdateButton,
                                       .disables_button = true,
                                       .log_box = kChannelLog,
                                       .success_text = kSavedUntilRestart};

// The chosen channel, read afresh each time.
frame::Text ChosenChannel() {
  return QuotedText(kChannelList, Property::kContentText);
}

frame::Text ReadOfChosenChannel(std::string_view query_start, std::string_view field) {
  return ReadOneField(kRecordSet2, kNoticeConnection,
                      frame::ConcatTexts(query_start, ChosenChannel(), "'"), field);
}

void ShowChosenChannelNotices() {
  frame::SetControlProperty(
      kMainWindow, kChannelNoticeText, Property::kContentText,
      ReadOfChosenChannel("SELECT Notice_InGame FROM TB_Channel_Notice Where Channel ='",
                          "Notice_InGame"));
  frame::SetControlProperty(
      kMainWindow, kChannelListNoticeBox, Property::kText,
      ReadOfChosenChannel("SELECT Notice_Chnlist  FROM TB_Channel_Notice Where Channel ='",
                          "Notice_Chnlist"));
}

void LoadChannelNotices() {
  AppendColumnToLists(kRecordSet2, kNoticeConnection,
                      "SELECT Channel  FROM TB_Channel_Notice Where Realm ='1'", "Channel",
                      {kChannelList});
  frame::SetControlProperty(kMainWindow, kChannelList, Property::kSelectedIndex, 0);
  ShowChosenChannelNotices();
}

}  // namespace

void LoadChannelNoticesThread() {
  LoadChannelNotices();
}

void OnChannelSelected() {
  ShowChosenChannelNotices();
}

void UpdateChannelNotice() {
  frame::Text in_game = QuotedText(kChannelNoticeText, Property::kContentText);
  frame::Text channel_list = QuotedText(kChannelListNoticeBox);
  frame::Text channel = ChosenChannel();
  RunPageStatement(
      kChannelUpdate,
      frame::ConcatTexts("update TB_Channel_Notice set Notice_InGame= N'", in_game,
                         "' , Notice_Chnlist=N'", channel_list, "' where Channel ='", channel, "'"),
      TargetRow{kChannelByNumber, channel});
}

}  // namespace gmdesk
