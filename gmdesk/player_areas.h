// The three colour-coded areas of 分组框5: how the account query reads their
// boxes and how the submits write them back.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/player_panel_pairs.h"

namespace gmdesk {

struct PlayerArea {
  std::span<const PanelPair> fields;  // with their columns
  frame::ControlId connection;
  // What the query sends to read the fields: select_start, the key, select_end.
  std::string_view select_start;
  std::string_view select_end;
  // The update ends with key_piece, the key box's text and a closing quote.
  std::string_view key_piece;
  frame::ControlId key_box;
  RowKey row_key;  // the row the key box names
  frame::ControlId submit_button;
  // Ends the failure message of the all-areas submit.
  std::string_view failed_step;
};

enum AreaIndex : size_t { kYellowArea, kPurpleArea, kCyanArea };

// Yellow (Member), purple (TB_CharacterBasic), cyan (TB_CharacterSub): the
// order in which the all-areas submit writes them.
extern const std::array<PlayerArea, 3> kPlayerAreas;

// A value as the panel shows it.
frame::Text ShownValue(const PanelPair& field, const frame::Text& read);

// A GUID key as the panel shows and uses it: the text between its braces.
frame::Text KeyText(const frame::Text& read);

}  // namespace gmdesk
