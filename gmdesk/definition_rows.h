// What gmdesk's panels build their definition rows with: the window's table
// is the panels' rows joined in order.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

#include "frame/window/control_rows.h"
#include "frame/window/window_model.h"
#include "gmdesk/player_panel_pairs.h"

namespace gmdesk {

template <size_t... kSizes>
constexpr std::array<frame::ControlDefinition, (kSizes + ...)> JoinRows(
    const std::array<frame::ControlDefinition, kSizes>&... parts) {
  std::array<frame::ControlDefinition, (kSizes + ...)> joined{};
  auto next = joined.begin();
  ((next = std::ranges::copy(parts, next).out), ...);
  return joined;
}

constexpr frame::ControlDefinition PairBoxRow(const PanelPair& pair, frame::ParentRef parent) {
  namespace rows = frame::rows;
  const PairPlace& place = pair.place;
  const frame::Rect rect{place.left + place.label_width, place.top, place.box_width, 20};
  switch (pair.kind) {
    case PairBox::kText:
      return rows::Edit(pair.box.id, pair.box.name, parent, rect);
    case PairBox::kReadOnly:
      return rows::ReadOnly(pair.box.id, pair.box.name, parent, rect);
    case PairBox::kList:
      return rows::List(pair.box.id, pair.box.name, parent, rect, pair.events);
    case PairBox::kNumeric:
      break;
  }
  return rows::Numeric(pair.box.id, pair.box.name, parent, rect, "", pair.max_length);
}

// Each pair's label, then its box.
template <size_t kPairs>
constexpr std::array<frame::ControlDefinition, 2 * kPairs> PairRows(
    const PanelPair (&pairs)[kPairs], frame::Color color, frame::ParentRef parent) {
  std::array<frame::ControlDefinition, 2 * kPairs> rows{};
  for (size_t i = 0; i < kPairs; ++i) {
    const PanelPair& pair = pairs[i];
    rows[2 * i] = frame::rows::ColoredLabel(
        pair.label.id, pair.label.name, parent,
        {pair.place.left, pair.place.top, pair.place.label_width, 20}, pair.caption, color);
    rows[2 * i + 1] = PairBoxRow(pair, parent);
  }
  return rows;
}

}  // namespace gmdesk
