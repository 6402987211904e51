#include <sstream>

#include <QtTest>

#include "TarnwickProject.h"
#include "UiTestSupport.h"
#include "ui/app/EditorCommandLine.h"

using tarnwick::ui::EditorStart;

namespace {

struct Reading {
    EditorStart start;
    std::string out;
    std::string err;
};

Reading read(const QStringList& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    EditorStart start = tarnwick::ui::readEditorCommandLine(arguments, out, err);
    return {start, out.str(), err.str()};
}

}  // namespace

class EditorCommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void thePlugInSwitchPassesEverythingOnUntouched() {
        for (const QStringList& arguments :
             {QStringList{"-MarrowbyPlugIn"}, QStringList{"-marrowbyPLUGIN", "--odd", "x", "y"}}) {
            const Reading reading = read(arguments);
            QVERIFY(!reading.start.exitStatus);
            QCOMPARE(reading.start.windowArguments, arguments);
        }
    }

    void oneFileOrNoneStartsTheWindow() {
        const QList<std::pair<QStringList, QStringList>> cases = {
            {{}, {}},
            {{"map.pud"}, {"map.pud"}},
            {{"--", "-odd.pud"}, {"-odd.pud"}},
            {{"-platform", "offscreen", "map.pud", "-reverse"}, {"map.pud"}},
        };
        for (const auto& [arguments, windowArguments] : cases) {
            const Reading reading = read(arguments);
            QVERIFY(!reading.start.exitStatus);
            QCOMPARE(reading.start.windowArguments, windowArguments);
            QCOMPARE(reading.err, std::string());
        }
    }

    void helpAndVersionAnswerOnStandardOutput() {
        for (const char* option : {"--help", "-h"}) {
            const Reading reading = read({"map.pud", option});
            QCOMPARE(reading.start.exitStatus, std::optional(0));
            QVERIFY(reading.out.starts_with("Usage: tarnwick [FILE]\n"));
            QVERIFY(reading.out.find("-MarrowbyPlugIn") != std::string::npos);
            QCOMPARE(reading.err, std::string());
        }
        const Reading version = read({"--version"});
        QCOMPARE(version.start.exitStatus, std::optional(0));
        QCOMPARE(version.out, std::string("tarnwick ") + tarnwick::kVersion + "\n");
    }

    void unknownOptionsAndSecondFilesAreNamedWithExitTwo() {
        const QList<std::pair<QStringList, std::string>> cases = {
            {{"--bogus"}, "Unknown option \"--bogus\""},
            {{"map.pud", "-x"}, "Unknown option \"-x\""},
            {{"--frob=1"}, "Unknown option \"--frob\""},
            {{"a.pud", "b.pud"}, "Unexpected argument \"b.pud\""},
        };
        for (const auto& [arguments, message] : cases) {
            const Reading reading = read(arguments);
            QCOMPARE(reading.start.exitStatus, std::optional(2));
            QVERIFY2(reading.err.find(message) != std::string::npos, reading.err.c_str());
            QCOMPARE(reading.out, std::string());
        }
    }
};

TARNWICK_UI_TEST_MAIN(EditorCommandLineTest)
#include "EditorCommandLineTest.moc"
