#include "frame/qt/menu_bar.h"

#include <QMenu>
#include <QMenuBar>

#include "frame/qt/qt_text.h"

namespace frame {

std::map<ControlId, QAction*> BuildMenuBar(QMenuBar& bar,
                                           std::span<const MenuItemDefinition> items) {
  std::map<ControlId, QAction*> actions;
  QMenu* menu = nullptr;
  for (const MenuItemDefinition& item : items) {
    QAction* action = nullptr;
    if (item.level == 0) {
      menu = bar.addMenu(FromDefinition(item.caption));
      action = menu->menuAction();
    } else if (menu != nullptr) {
      action = menu->addAction(FromDefinition(item.caption));
    }
    if (action == nullptr) continue;
    action->setEnabled(!item.disabled);
    actions[item.id] = action;
  }
  return actions;
}

}  // namespace frame
