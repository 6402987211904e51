#pragma once

#include "core/model/Document.h"
#include "ui/app/MainMenus.h"

namespace tarnwick::ui {

// Enables items by the document's kind when "&File", "&PUD Options" or "&Edit" opens. For a
// stand-alone file it also drops the restrictions, which only a scenario carries.
void applyGeneralMenu(MainMenus& menus, model::Document& document);

// "Remove" while restrictions are held, "Add Default Restrictions" otherwise.
void applyRestrictionsSubmenu(MainMenus& menus, const model::Document& document);

// "Export as &ALO (Restrictions)" only while restrictions are held.
void applyExportSubmenu(MainMenus& menus, const model::Document& document);

}  // namespace tarnwick::ui
