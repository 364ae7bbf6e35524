// The menu bar of a window definition.
#pragma once

#include <map>
#include <span>

#include "frame/window/window_model.h"

class QAction;
class QMenuBar;

namespace frame {

// Level-0 items become the bar's menus, level-1 items the entries of the menu
// before them. Returns each item's action (for a menu, the action that opens
// it), enabled as its definition says.
std::map<ControlId, QAction*> BuildMenuBar(QMenuBar& bar,
                                           std::span<const MenuItemDefinition> items);

}  // namespace frame
