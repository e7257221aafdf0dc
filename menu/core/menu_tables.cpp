// Look-ups in the main menu's button table.
#include "menu_tables.h"

namespace menu {

const SMenuButton* FindMenuButton(int nControlId) {
    for (const SMenuButton& button : kMenuButtons) {
        if (button.m_nControlId == nControlId) return &button;
    }
    return nullptr;
}

}  // namespace menu
