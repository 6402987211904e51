#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"
#include "core/graphics/SpriteConverter.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

class GraphicsTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        units_ = {};
        units_.set(uf::gfxGeneral, 0, 1300);  // demo sprite, 32 x 32 cells
        units_.set(uf::gfxGeneral, 2, 65535);
        units_.set(uf::gfxWinter, 2, 3001);  // a 72 x 72 sprite of 3 frames
        units_.set(uf::gfxGeneral, 3, 7000);
        units_.set(uf::gfxSummer, 3, 7000);
        units_.set(uf::boxSize, 2, 20, 0);
        units_.set(uf::boxSize, 2, 30, 1);
    }

    void withoutARowThePageDoesNothing() {
        QVERIFY(!h_->window.findChild<QWidget*>("graphicsContent")->isEnabled());
        radio("winterTerrainButton")->click();
        QVERIFY(h_->prompts.shown.empty());
    }

    void previewShowsTheFirstFrame() {
        open();
        select(0);
        h_->window.findChild<QPushButton*>("updatePreviewButton")->click();
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(h_->window.graphicsPage().previewPicture().size(), QSize(32, 32));
        QVERIFY(h_->window.findChild<QPushButton*>("updatePreviewButton")->isEnabled());
        // With room to spare the frame is shown enlarged by a whole factor, pixels square.
        auto* shown = h_->window.findChild<ui::PreviewPicture*>("previewPicture");
        h_->window.resize(1280, 800);
        QTRY_COMPARE(shown->zoom(), 4);
        const QImage screen = shown->grab().toImage();
        const int left = (shown->width() - 128) / 2;
        for (const QPoint pixel : {QPoint(0, 0), QPoint(13, 20), QPoint(31, 31)}) {
            const QColor colour = h_->window.graphicsPage().previewPicture().pixelColor(pixel);
            QCOMPARE(screen.pixelColor(left + pixel.x() * 4, pixel.y() * 4), colour);
            QCOMPARE(screen.pixelColor(left + pixel.x() * 4 + 3, pixel.y() * 4 + 3), colour);
        }
        // The preview is no edit.
        QCOMPARE(general(0), 1300u);
    }

    void previewUsesThePaletteOfTheChosenTerrain() {
        for (const auto* field :
             {&uf::gfxGeneral, &uf::gfxSummer, &uf::gfxWinter, &uf::gfxWasteland}) {
            units_.set(*field, 4, 1300);
        }
        Bytes swamp(254, 0);
        swamp[8] = 1300 & 0xFF;  // row 4 of the swamp array
        swamp[9] = 1300 >> 8;
        open(swamp);
        select(4);
        const Bytes maindat =
            platform::readWholeFile(QDir(demoGameDirectory()).filePath("DATA/MAINDAT.WAR"));
        const archive::ArchiveView game(maindat);
        const Bytes sprite = game.extract(300);
        // General and Summer share a palette; the others have their own.
        const std::vector<std::pair<QString, int>> terrains = {{"generalTerrainButton", 2},
                                                               {"summerTerrainButton", 2},
                                                               {"winterTerrainButton", 18},
                                                               {"wastelandTerrainButton", 10},
                                                               {"swampTerrainButton", 438}};
        for (const auto& [button, paletteEntry] : terrains) {
            radio(button)->click();
            h_->window.findChild<QPushButton*>("updatePreviewButton")->click();
            NoProgress quiet;
            const auto bitmap = graphics::convertGfx(
                sprite, 1, graphics::paletteFromGame(game.extract(paletteEntry)), quiet);
            const QImage expected = QImage::fromData(bitmap.bitmap.data(),
                                                     static_cast<int>(bitmap.bitmap.size()), "BMP");
            QCOMPARE(
                h_->window.graphicsPage().previewPicture().convertToFormat(QImage::Format_RGB32),
                expected.convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(h_->prompts.shown.empty());
    }

    void aFailedPreviewChangesNoPicture() {
        open();
        select(0);
        h_->window.findChild<QPushButton*>("updatePreviewButton")->click();
        const QImage before = h_->window.graphicsPage().previewPicture();
        box("entryBox")->selectAll();
        QTest::keyClicks(box("entryBox"), "311");  // an empty slot of the demo archive
        QCOMPARE(general(0), 1311u);
        h_->window.findChild<QPushButton*>("updatePreviewButton")->click();
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"A fatal error has occured during extraction! Entry does not exist "
                             "in opened data file!: 311"});
        QVERIFY(h_->window.findChild<QPushButton*>("updatePreviewButton")->isEnabled());
        QCOMPARE(h_->window.graphicsPage().previewPicture(), before);
        // An entry stays within its archive's thousand, below as above.
        for (const auto& [typed, stored] : {std::pair{"-5", 1000u}, std::pair{"1234", 1999u}}) {
            box("entryBox")->selectAll();
            QTest::keyClicks(box("entryBox"), typed);
            QCOMPARE(general(0), stored);
        }
        h_->prompts.shown.resize(1);  // the lone "-" is no number: said, nothing stored
        // Entry 0 shows nothing new and says nothing.
        box("entryBox")->setText("0");
        h_->window.findChild<QPushButton*>("updatePreviewButton")->click();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
    }

    void aStandaloneGfxFileOpensInTheSizer() {
        open();
        select(0);
        box("boxWidthBox")->setText("abc");  // not a number: the sizer starts at 32
        h_->prompts.shown.clear();
        const QString file = write("unit.gfx", demo::demoSprite(6, 48, 56, 70));
        h_->prompts.filesToOpen = {file};
        auto& selection = h_->window.graphicsSelection();
        selection.findChild<QRadioButton*>("gfxFileButton")->click();
        selection.findChild<QPushButton*>("continueButton")->click();
        const ui::FileChoice chooser = h_->prompts.lastOpenChooser();
        QCOMPARE(chooser.title, QString("Open GFX..."));
        QCOMPARE(chooser.filter, QString("GFX Files(*.GFX)|*.gfx"));
        auto& sizer = h_->window.boxSizer();
        QVERIFY(sizer.isVisible());
        QCOMPARE(sizer.frameSize(), QSize(48, 56));
        QCOMPARE(sizer.boxWidth(), 32);
        QCOMPARE(sizer.findChild<QScrollBar*>("frameScrollBar")->maximum(), 6);
        selection.findChild<QRadioButton*>("currentDataButton")->click();
    }

    void sevenThousandMeansNoGraphics() {
        open();
        select(3);
        auto& selection = h_->window.graphicsSelection();
        selection.show();
        selection.findChild<QRadioButton*>("summerButton")->click();
        selection.findChild<QPushButton*>("continueButton")->click();
        QCOMPARE(h_->prompts.texts(), QStringList{"FATAL ERROR: Unit has *NO* GFX!"});
        QVERIFY(!h_->window.boxSizer().isVisible());
    }

    void defaultDataModesAndTheSwampChoice() {
        open(Bytes(254, 0));
        select(0);
        auto& selection = h_->window.graphicsSelection();
        selection.show();
        auto* swamp = selection.findChild<QRadioButton*>("swampButton");
        QVERIFY(swamp->isEnabled());
        swamp->click();
        selection.findChild<QRadioButton*>("defaultDataButton")->click();
        QVERIFY(!swamp->isEnabled());
        QVERIFY(selection.findChild<QRadioButton*>("summerButton")->isChecked());
        selection.findChild<QRadioButton*>("expansionDataButton")->click();
        QVERIFY(swamp->isEnabled());
        selection.findChild<QRadioButton*>("defaultDataButton")->click();
        selection.findChild<QPushButton*>("continueButton")
            ->click();  // the game's own unit 0: a demo sprite
        QVERIFY(h_->prompts.shown.empty());
        QVERIFY(h_->window.boxSizer().isLoaded());
    }

    void corruptedDefaultDataIsReported() {
        // The demo game with a default unit table cut short.
        QTemporaryDir game;
        demo::writeDemoGameDirectory(game.path());
        const QString archivePath = game.filePath("DATA/MAINDAT.WAR");
        NoProgress quiet;
        const std::vector<std::uint8_t> shortTable(100, 0);
        platform::saveWholeFile(
            archivePath, archive::insertEntry(platform::readWholeFile(archivePath), 0,
                                              archive::entryHeader(100, false), shortTable, quiet));
        MainWindowHarness other;
        other.startWithGame(game.path());
        other.window.openFile(write("u.pud", scenarioWithUnits(units_)));
        auto& selection = other.window.graphicsSelection();
        selection.findChild<QRadioButton*>("defaultDataButton")->click();
        selection.findChild<QPushButton*>("continueButton")->click();
        QCOMPARE(other.prompts.texts(), QStringList{"ERROR! Default Expansion UDTA corrupted!"});
    }

    void draggingSizesTheBoxAndTheUnit() {
        open();
        select(2);
        auto& selection = h_->window.graphicsSelection();
        selection.findChild<QRadioButton*>("winterButton")->click();
        selection.findChild<QPushButton*>("continueButton")->click();
        auto& sizer = h_->window.boxSizer();
        QVERIFY(sizer.isVisible());
        // A 72-pixel frame is shown 8 times enlarged; the mouse works in frame pixels.
        QCOMPARE(sizer.zoom(), 8);
        auto* picture = sizer.findChild<QWidget*>("framePicture");
        QCOMPARE(picture->size(), QSize(576, 576));
        const auto atFramePixel = [](int x, int y) { return QPoint(x * 8 + 7, y * 8); };
        // Unit 2 has no general sprite: the winter one is shown, with the unit's box.
        QTest::mouseMove(picture, atFramePixel(50, 10));  // not dragging yet: nothing
        QCOMPARE(sizer.findChild<QLabel*>("sizePanel")->text(), QString("20 x 30"));
        QVERIFY(sizer.findChild<QScrollBar*>("frameScrollBar")->isEnabled());
        QTest::mousePress(picture, Qt::LeftButton, {}, atFramePixel(50, 10));
        QCOMPARE(sizer.boxWidth(), 28);
        QCOMPARE(sizer.boxHeight(), 52);
        QCOMPARE(sizer.findChild<QLabel*>("sizePanel")->text(), QString("28 x 52"));
        QCOMPARE(box("boxWidthBox")->text(), QString("28"));
        QCOMPARE(h_->document.unitData.get(uf::boxSize, 2, 0), 28u);
        QCOMPARE(h_->document.unitData.get(uf::boxSize, 2, 1), 52u);
        QTest::mouseMove(picture, atFramePixel(36, 36));  // the centre
        QCOMPARE(sizer.boxWidth(), 0);
        QTest::mouseMove(picture, QPoint(-1, 575));  // left of the picture: frame pixel -1
        QCOMPARE(sizer.boxWidth(), 72);
        QCOMPARE(sizer.boxHeight(), 70);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(-1, 575));
        QTest::mouseMove(picture, atFramePixel(40, 40));
        QCOMPARE(sizer.boxWidth(), 72);

        // The arrow keys change the box by a mouse pixel's step, within the frame.
        QTest::keyClick(&sizer, Qt::Key_Left);
        QTest::keyClick(&sizer, Qt::Key_Up);
        QCOMPARE(sizer.findChild<QLabel*>("sizePanel")->text(), QString("70 x 72"));
        QCOMPARE(box("boxWidthBox")->text(), QString("70"));

        // With a "Group" row selected nothing is written into the unit arrays.
        select(112);
        const auto before = h_->document.unitData.bytes;
        QTest::mouseClick(picture, Qt::LeftButton, {}, atFramePixel(10, 10));
        QCOMPARE(sizer.boxWidth(), 52);
        QCOMPARE(h_->document.unitData.bytes, before);

        // A click on the size panel closes the sizer, and so does Escape.
        QTest::mouseClick(sizer.findChild<QLabel*>("sizePanel"), Qt::LeftButton);
        QVERIFY(!sizer.isVisible());
        sizer.show();
        QTest::keyClick(&sizer, Qt::Key_Escape);
        QVERIFY(!sizer.isVisible());
    }

    void theZoomKeepsTheFrameWithin600Pixels() {
        auto& sizer = h_->window.boxSizer();
        for (const auto& [side, zoom] : {std::pair{32, 8}, {72, 8}, {200, 3}, {700, 1}}) {
            sizer.loadSprite(demo::demoSprite(1, side, side, 30));
            QCOMPARE(sizer.zoom(), zoom);
            QCOMPARE(sizer.findChild<QWidget*>("framePicture")->width(), side * zoom);
        }
    }

    void scrollingShowsOneFrameAtATime() {
        auto& sizer = h_->window.boxSizer();
        sizer.setPalette(graphics::greyPalette());
        sizer.loadSprite(demo::demoSprite(5, 48, 40, 30));
        auto* scroll = sizer.findChild<QScrollBar*>("frameScrollBar");
        QCOMPARE(scroll->maximum(), 5);
        scroll->setValue(3);
        QCOMPARE(scroll->toolTip(), QString("Image 3"));
        auto* picture = sizer.findChild<QWidget*>("framePicture");
        sizer.setBoxSize(11, 10);
        const QImage painted = picture->grab().toImage();
        sizer.setBoxSize(0, 0);
        const QImage frame = picture->grab().toImage();
        scroll->setValue(1);
        QVERIFY(picture->grab().toImage() != frame);
        // Each frame pixel is an 8 x 8 square of one colour: enlarged without smoothing.
        const auto at = [](int x, int y) { return QPoint(x * 8 + 3, y * 8 + 5); };
        for (const QPoint pixel : {QPoint(0, 0), QPoint(5, 5), QPoint(47, 39)}) {
            const QRect square(pixel * 8, QSize(8, 8));
            for (const QPoint corner : {square.topLeft(), square.bottomRight()}) {
                QCOMPARE(frame.pixelColor(corner), frame.pixelColor(square.center()));
            }
        }
        // The box's left edge is at (48 - 11) / 2 = 18, its top at 15, drawn white.
        QCOMPARE(painted.pixelColor(at(18, 20)), QColor(Qt::white));
        QCOMPARE(painted.pixelColor(at(28, 15)), QColor(Qt::white));
        QCOMPARE(painted.pixelColor(at(17, 20)), frame.pixelColor(at(17, 20)));
        QCOMPARE(painted.pixelColor(at(19, 20)), frame.pixelColor(at(19, 20)));

        sizer.loadSprite(demo::demoSprite(1, 48, 40, 30));
        QVERIFY(!sizer.findChild<QScrollBar*>("frameScrollBar")->isEnabled());
    }

  private:
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        platform::saveWholeFile(dir_.filePath(name), bytes);
        return dir_.filePath(name);
    }
    void open(const Bytes& swamp = {}) {
        h_->window.openFile(write("gfx.pud", scenarioWithUnits(units_, swamp)));
        QVERIFY(h_->document.isLoaded);
    }
    std::uint32_t general(std::size_t row) const {
        return h_->document.unitData.get(uf::gfxGeneral, row);
    }

    QTemporaryDir dir_;
    model::UnitDataTable units_;
};

TARNWICK_UI_TEST_MAIN(GraphicsTest)
#include "GraphicsTest.moc"
