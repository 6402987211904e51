#include <QGroupBox>
#include <QPushButton>

#include "ScenarioFileTest.h"
#include "ui/scenario/MapPropertiesWindow.h"
#include "ui/scenario/MinimapWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class MapPropertiesTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void expansionTerrainsShowTheirButtons() {
        h_->window.menus().mapProperties->trigger();
        QVERIFY(!shown(h_->window.findChild<ui::MapPropertiesWindow*>()));  // nothing loaded
        for (const auto& [terrain, shown] :
             {std::pair{3, "expansionSwampButton"}, std::pair{2, "expansionWastelandButton"}}) {
            open(typicalScenarioWith({{"ERAX", littleEndian({std::uint16_t(terrain)})},
                                      {"DIM ", littleEndian({64, 128})}}));
            h_->window.menus().mapProperties->trigger();
            QCOMPARE(window().windowTitle(), QString("PUD Properties"));
            QVERIFY(radio(shown)->isChecked());
            QVERIFY(expansionGroup()->isEnabled());
            QCOMPARE(conversion()->text(), QString("Convert -> Normal"));
            QVERIFY(radio("baseWinterButton")->isChecked());
            QCOMPARE(label("dimensionsLabel")->text(), QString("64x128"));
        }
        clickIndicator(radio("expansionForestButton"));
        clickIndicator(radio("baseWastelandButton"));
        window().hide();  // the close box: the terrains are stored already
        save();
        QCOMPARE(savedSection("ERAX"), std::optional(littleEndian({0})));
        QCOMPARE(savedSection("ERA "), std::optional(littleEndian({2})));
    }

    void conversionBothWays() {
        const Bytes normal = openAndSave(typicalScenarioWith({}));
        h_->window.menus().mapProperties->trigger();
        QVERIFY(!expansionGroup()->isEnabled());
        QCOMPARE(conversion()->text(), QString("Convert -> 1.33"));

        QTest::mouseClick(conversion(), Qt::LeftButton);
        QVERIFY(expansionGroup()->isEnabled());
        QVERIFY(radio("expansionWastelandButton")->isChecked());
        QCOMPARE(conversion()->text(), QString("Convert -> Normal"));
        save();
        QCOMPARE(savedSection("ERAX"), std::optional(littleEndian({2})));

        QTest::mouseClick(conversion(), Qt::LeftButton);
        QVERIFY(!expansionGroup()->isEnabled());
        QVERIFY(radio("expansionSwampButton")->isChecked());
        QCOMPARE(conversion()->text(), QString("Convert -> 1.33"));
        save();
        QCOMPARE(saved(), normal);
    }

    void versionSeventeenLocksExpansionPlayersOnWasteland() {
        open(typicalScenarioWith({{"VER ", littleEndian({17})}, {"ERAX", littleEndian({0})}}));
        h_->window.menus().mapProperties->trigger();
        QVERIFY(radio("expansionWastelandButton")->isChecked());
        QVERIFY(!expansionGroup()->isEnabled());
        save();
        QCOMPARE(savedSection("ERAX"), std::optional(littleEndian({2})));
    }

    void okStoresThirtyOneCharactersAndANul() {
        open(typicalScenarioWith({{"DESC", Bytes(32, 0)}}));
        h_->window.menus().mapProperties->trigger();
        type("descriptionBox", "Gold ");
        QTest::sendKeyEvent(QTest::Click, box("descriptionBox"), Qt::Key_unknown,
                            QString::fromUtf8("\u20ac"), Qt::NoModifier);
        QTest::mouseClick(ok(), Qt::LeftButton);
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"The description can only hold the game's single-byte characters "
                             "(Latin-1); \"\u20ac\" is not one of them."});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Error"));
        QVERIFY(window().isVisible());

        type("descriptionBox", "The longest text the game holds!!");
        QCOMPARE(box("descriptionBox")->text(), QString("The longest text the game holds"));
        QTest::mouseClick(ok(), Qt::LeftButton);
        QVERIFY(!window().isVisible());
        save();
        const std::string expected("The longest text the game holds\0", 32);
        QCOMPARE(savedSection("DESC"), std::optional(Bytes(expected.begin(), expected.end())));
    }

    void latin1LettersAreStoredAsSingleBytes() {
        open(typicalScenarioWith({{"DESC", Bytes(32, 0)}}));
        h_->window.menus().mapProperties->trigger();
        box("descriptionBox")->selectAll();
        for (const QChar letter : QString::fromUtf8("Caf\u00e9 M\u00fc\u00df\u00ff")) {
            QTest::sendKeyEvent(QTest::Click, box("descriptionBox"), Qt::Key_unknown,
                                QString(letter), Qt::NoModifier);
        }
        QTest::mouseClick(ok(), Qt::LeftButton);
        QVERIFY2(h_->prompts.shown.empty(), qPrintable(h_->prompts.texts().join('\n')));
        save();
        Bytes expected = {'C', 'a', 'f', 0xE9, ' ', 'M', 0xFC, 0xDF, 0xFF};
        expected.resize(32, 0);
        QCOMPARE(savedSection("DESC"), std::optional(expected));
    }

    void aDescriptionWithoutNulIsShownWholeAndKept() {
        const std::string full = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
        const Bytes file =
            openAndSave(typicalScenarioWith({{"DESC", Bytes(full.begin(), full.end())}}));
        h_->window.menus().mapProperties->trigger();
        QCOMPARE(box("descriptionBox")->text(), QString::fromStdString(full));
        QTest::mouseClick(ok(), Qt::LeftButton);
        save();
        QCOMPARE(saved(), file);

        // Once edited, the text is held to what "OK" accepts.
        h_->window.menus().mapProperties->trigger();
        QTest::keyClick(box("descriptionBox"), Qt::Key_End);
        QTest::keyClick(box("descriptionBox"), Qt::Key_Backspace);
        QTest::keyClick(box("descriptionBox"), Qt::Key_Backspace);
        QTest::keyClicks(box("descriptionBox"), "!?");
        QCOMPARE(box("descriptionBox")->text(), QString::fromStdString(full.substr(0, 30) + "!"));
        QTest::mouseClick(ok(), Qt::LeftButton);
        QVERIFY2(h_->prompts.shown.empty(), qPrintable(h_->prompts.texts().join('\n')));
        save();
        const std::string stored = full.substr(0, 30) + "!" + std::string(1, '\0');
        QCOMPARE(savedSection("DESC"), std::optional(Bytes(stored.begin(), stored.end())));
    }

    void activationShowsTheDocumentAgainButKeepsTypedText() {
        open(typicalScenarioWith({}));
        h_->window.menus().mapProperties->trigger();
        type("descriptionBox", "typed, not confirmed");
        h_->document.body(model::SectionId::Era)[0] = 2;  // as another window would
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(&window(), &activation);
        QVERIFY(radio("baseWastelandButton")->isChecked());
        QCOMPARE(box("descriptionBox")->text(), QString("typed, not confirmed"));
        window().hide();  // the close box: the text is not stored
        h_->window.menus().mapProperties->trigger();
        QVERIFY(box("descriptionBox")->text() != QString("typed, not confirmed"));
    }

    void missingSectionsShowEmptyAndDisabled() {
        const Bytes file = openAndSave(typicalScenarioWith({}, {"DESC", "ERA ", "DIM "}));
        h_->window.menus().mapProperties->trigger();
        QVERIFY(!box("descriptionBox")->isEnabled());
        QCOMPARE(box("descriptionBox")->text(), QString());
        QVERIFY(!child<QGroupBox>("baseTerrainGroup")->isEnabled());
        for (const char* name : {"baseForestButton", "baseWinterButton", "baseWastelandButton"}) {
            QVERIFY(!radio(name)->isChecked());
        }
        QCOMPARE(label("dimensionsLabel")->text(), QString());
        QTest::mouseClick(ok(), Qt::LeftButton);
        save();
        QCOMPARE(saved(), file);
    }

    void viewMinimapShowsAndHides() {
        open(typicalScenarioWith({}));
        QVERIFY(!shown(h_->window.findChild<ui::MinimapWindow*>()));
        QApplication::setActiveWindow(&h_->window);
        QTest::keyClick(&h_->window, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(minimap().isVisible());
        QCOMPARE(minimap().windowTitle(), QString("Mini Map"));
        QVERIFY(minimap().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTest::keyClick(&h_->window, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!minimap().isVisible());
        // Square, and wide enough for its caption in a title bar's bold type and buttons.
        QFont bold = minimap().font();
        bold.setBold(true);
        QCOMPARE(minimap().width(), minimap().height());
        QVERIFY(minimap().width() > QFontMetrics(bold).horizontalAdvance("Mini Map") + 100);
        h_->window.menus().viewMinimap->trigger();
        QTest::keyClick(&minimap(), Qt::Key_Escape);
        QVERIFY(!minimap().isVisible());
    }

    void theMinimapFollowsTheDocument() {
        open(typicalScenarioWith({{"DIM ", littleEndian({3, 2})},
                                  {"MTXM", littleEndian({0x50, 207, 208, 2559, 2560})}}));
        h_->window.menus().viewMinimap->trigger();
        const QImage& picture = minimap().picture();
        QCOMPARE(picture.size(), QSize(3, 2));
        const QList<QColor> colours = {{32, 80, 15}, {93, 93, 93},  {255, 0, 255},
                                       {93, 93, 93}, {255, 0, 255}, {255, 0, 255}};
        for (int tile = 0; tile < 6; ++tile) {  // the last one lies beyond the short map
            QCOMPARE(picture.pixelColor(tile % 3, tile / 3), colours[tile]);
        }

        // Whatever leaves no scenario clears the picture and hides the window: another kind
        // of file, Close Data.
        const QString units = dir_.filePath("units.udt");
        platform::saveWholeFile(units, patternBytes(5694, 3));
        const Bytes map = saved();
        const std::vector<std::function<void()>> endings = {
            [&] { openDroppingEdits(*h_, units); },
            [&] {
                h_->prompts.answers = {ui::Answer::No};
                h_->window.menus().closeData->trigger();
            }};
        for (std::size_t ending = 0; ending < endings.size(); ++ending) {
            const auto& end = endings[ending];
            const QByteArray context = "ending " + QByteArray::number(ending);
            open(map);
            h_->window.menus().viewMinimap->trigger();
            QCOMPARE(minimap().picture().size(), QSize(3, 2));
            end();
            QVERIFY2(minimap().picture().isNull(), context);
            QVERIFY2(!minimap().isVisible(), context);
        }
        // A scenario that fails to read unloads a document without edits, and its picture goes
        // with it.
        open(map);
        open(typicalScenarioWith({{"XXXX", {}}}));
        QVERIFY(minimap().picture().isNull());
        open(typicalScenarioWith({}, {"DIM "}));
        QVERIFY(minimap().picture().isNull());
    }

    void aWideMapIsStretchedOverTheSquareBox() {
        Bytes map;
        for (int tile = 0; tile < 128 * 64; ++tile) {
            const Bytes word =
                littleEndian({tile % 128 < 64 ? std::uint16_t{0x50} : std::uint16_t{0x10}});
            map.insert(map.end(), word.begin(), word.end());
        }
        open(typicalScenarioWith({{"DIM ", littleEndian({128, 64})}, {"MTXM", map}}));
        h_->window.menus().viewMinimap->trigger();
        const QImage shown = child<QWidget>("minimapView")->grab().toImage();
        QCOMPARE(shown.width(), shown.height());
        QVERIFY(shown.width() >= 128);
        QCOMPARE(shown.pixelColor(10, shown.height() - 8), QColor(32, 80, 15));
        QCOMPARE(shown.pixelColor(shown.width() - 8, 10), QColor(0, 48, 112));
    }

    void aMapLargerThanTheGamesIsDrawnWholeInTheBox() {
        // 256 x 256 tiles: green above, blue below.
        Bytes map;
        for (int tile = 0; tile < 256 * 256; ++tile) {
            const Bytes word =
                littleEndian({tile < 128 * 256 ? std::uint16_t{0x50} : std::uint16_t{0x10}});
            map.insert(map.end(), word.begin(), word.end());
        }
        open(typicalScenarioWith({{"DIM ", littleEndian({256, 256})}, {"MTXM", map}}));
        h_->window.menus().viewMinimap->trigger();
        QCOMPARE(minimap().picture().size(), QSize(256, 256));
        const QImage shown = child<QWidget>("minimapView")->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 2, 4), QColor(32, 80, 15));
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() - 4), QColor(0, 48, 112));
    }

  private:
    // A window is built at its first showing.
    static bool shown(const QWidget* window) { return window != nullptr && window->isVisible(); }
    // A radio button reacts to clicks on its circle and caption only.
    static void clickIndicator(QRadioButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    ui::MapPropertiesWindow& window() { return *h_->window.findChild<ui::MapPropertiesWindow*>(); }
    ui::MinimapWindow& minimap() { return *h_->window.findChild<ui::MinimapWindow*>(); }
    QGroupBox* expansionGroup() const { return child<QGroupBox>("expansionTerrainGroup"); }
    QPushButton* conversion() const { return child<QPushButton>("conversionButton"); }
    QPushButton* ok() const { return child<QPushButton>("mapPropertiesOkButton"); }
};

TARNWICK_UI_TEST_MAIN(MapPropertiesTest)
#include "MapPropertiesTest.moc"
