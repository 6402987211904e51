#include <iostream>

#include <QFile>

#include "UiTestSupport.h"
#include "ui/menus/ShortcutTable.h"

// The guide's table of keyboard shortcuts, made from the real main window's menus.
//   tarnwick-shortcut-table GUIDE          writes the table between the guide's markers
//   tarnwick-shortcut-table --check GUIDE  exits 1 when the guide's table is not the menus'
namespace {

const QByteArray kBegin = "<!-- shortcut table: made from the menus, do not edit -->\n";
const QByteArray kEnd = "<!-- end of shortcut table -->\n";

int fail(const QString& message) {
    std::cerr << "tarnwick-shortcut-table: " << message.toStdString() << std::endl;
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // The window reads its settings store: a fresh one, never the user's.
    const QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool check = arguments.removeAll("--check") > 0;
    if (arguments.size() != 1) {
        return fail("usage: tarnwick-shortcut-table [--check] GUIDE");
    }
    QFile guide(arguments[0]);
    if (!guide.open(QIODevice::ReadOnly)) {
        return fail(guide.fileName() + ": " + guide.errorString());
    }
    const QByteArray text = guide.readAll();
    guide.close();
    const qsizetype begin = text.indexOf(kBegin);
    const qsizetype end = text.indexOf(kEnd, begin);
    if (begin < 0 || end < 0) {
        return fail(guide.fileName() + " has no table markers");
    }

    tarnwick::testsupport::MainWindowHarness harness;
    const QByteArray table =
        tarnwick::ui::shortcutMarkdown(tarnwick::ui::shortcutRows(*harness.window.menuBar()))
            .toUtf8();
    const qsizetype tableStart = begin + kBegin.size();
    if (check) {
        if (text.mid(tableStart, end - tableStart) != table) {
            return fail(guide.fileName() +
                        ": the shortcut table is not the menus'; run: cmake --build build "
                        "--target update-shortcut-table\nThe menus give:\n" +
                        QString::fromUtf8(table));
        }
        return 0;
    }
    const QByteArray updated = text.left(tableStart) + table + text.mid(end);
    if (!guide.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        guide.write(updated) != updated.size()) {
        return fail(guide.fileName() + ": " + guide.errorString());
    }
    return 0;
}
