#pragma once

#include <QList>
#include <QMenuBar>
#include <QString>

namespace tarnwick::ui {

// One menu item that has keys: its text and the menus above it without their '&' marks, and
// every key sequence it answers to, as the menu writes them.
struct ShortcutRow {
    QString item;
    QString menuPath;  // "File" or "File → Export..."
    QString keys;      // "Ctrl+X, Ctrl+Q"
};

// Every item of `bar` that has a key, in menu order, hidden menus included, so that
// the keys of "PUD Options" are listed while no scenario is open too.
QList<ShortcutRow> shortcutRows(const QMenuBar& bar);

// The rows as a Markdown table with a header line.
QString shortcutMarkdown(const QList<ShortcutRow>& rows);

}  // namespace tarnwick::ui
