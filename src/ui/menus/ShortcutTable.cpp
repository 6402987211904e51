#include "ui/menus/ShortcutTable.h"

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace tarnwick::ui {

namespace {

// "&Save As..." as the user reads it; "&&" stands for an ampersand.
QString plainText(QString text) {
    text.replace("&&", QChar(0x1));
    text.remove('&');
    text.replace(QChar(0x1), "&");
    return text;
}

QString keysOf(const QAction& action) {
    QStringList keys;
    for (const QKeySequence& sequence : action.shortcuts()) {
        keys << sequence.toString(QKeySequence::PortableText);
    }
    return keys.join(", ");
}

void collectRows(const QList<QAction*>& actions, const QString& path, QList<ShortcutRow>& rows) {
    for (const QAction* action : actions) {
        if (QMenu* submenu = action->menu()) {
            const QString title = plainText(submenu->title());
            collectRows(submenu->actions(), path.isEmpty() ? title : path + " → " + title, rows);
        } else if (!action->isSeparator() && !action->shortcuts().isEmpty()) {
            rows.append({plainText(action->text()).trimmed(), path, keysOf(*action)});
        }
    }
}

// A cell's text cannot end the cell early.
QString markdownCell(QString text) {
    return text.replace('|', "\\|");
}

}  // namespace

QList<ShortcutRow> shortcutRows(const QMenuBar& bar) {
    QList<ShortcutRow> rows;
    collectRows(bar.actions(), {}, rows);
    return rows;
}

QString shortcutMarkdown(const QList<ShortcutRow>& rows) {
    QString table = "| Keys | Menu | Item |\n|---|---|---|\n";
    for (const ShortcutRow& row : rows) {
        table += "| " + markdownCell(row.keys) + " | " + markdownCell(row.menuPath) + " | " +
                 markdownCell(row.item) + " |\n";
    }
    return table;
}

}  // namespace tarnwick::ui
