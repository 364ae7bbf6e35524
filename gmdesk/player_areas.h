// The three colour-coded areas of 分组框5: which column each box shows, how
// the account query reads them and how the submits write them back.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"
#include "gmdesk/database_steps.h"

namespace gmdesk {

struct AreaField {
  std::string_view column;
  frame::ControlId box;
  // The piece of the update statement that comes before this box's text.
  std::string_view update_piece;
  // Shown without a ".00000000" ending.
  bool whole_amount = false;
};

struct PlayerArea {
  std::span<const AreaField> fields;
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
frame::Text ShownValue(const AreaField& field, const frame::Text& read);

// A GUID key as the panel shows and uses it: the text between its braces.
frame::Text KeyText(const frame::Text& read);

}  // namespace gmdesk
