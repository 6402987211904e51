#pragma once

#include "core/model/Document.h"
#include "ui/menus/MainMenus.h"

namespace tarnwick::ui {

// Enables items by the document's kind when "&File", "&PUD Options" or "&Edit" opens.
void applyGeneralMenu(MainMenus& menus, const model::Document& document);

// "Remove" while restrictions are held, "Add Default Restrictions" otherwise.
void applyRestrictionsSubmenu(MainMenus& menus, const model::Document& document);

// "Export as &ALO (Restrictions)" only while restrictions are held.
void applyExportSubmenu(MainMenus& menus, const model::Document& document);

}  // namespace tarnwick::ui
