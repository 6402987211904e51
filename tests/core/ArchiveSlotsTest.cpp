#include <gtest/gtest.h>

#include "DemoScenario.h"
#include "ScenarioBuilder.h"
#include "core/Error.h"
#include "core/archive/ArchiveSlots.h"
#include "core/archive/LzssDecoder.h"
#include "core/files/DocumentFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

// Tells whether a long operation began: a refusal must come before any.
class WatchedProgress : public Progress {
  public:
    void start(const std::string&, long long) override { started = true; }
    void advance(long long) override {}
    void finish() override {}
    bool started = false;
};

std::string refusal(const model::Document& document, int row, WatchedProgress& progress) {
    try {
        archive::packForSlot(document, archive::slotAtRow(row), true, progress);
    } catch (const Error& error) {
        return error.what();
    }
    return "packed";
}

}  // namespace

TEST(ArchiveSlots, AnEntryIsTheDocumentAsItsKindWritesItCompressedOrStored) {
    const Bytes file = patternBytes(780, 9);
    const model::Document upgrades = files::readDocument({}, file, "mine.ugd");
    WatchedProgress progress;
    const archive::PackedEntry compressed =
        archive::packForSlot(upgrades, archive::slotAtRow(3), true, progress);
    EXPECT_EQ(compressed.header, 0x20000000u | 780u);
    EXPECT_EQ(archive::lzssDecompress(compressed.payload, 780), file);
    EXPECT_TRUE(progress.started);

    const archive::PackedEntry stored =
        archive::packForSlot(upgrades, archive::slotAtRow(3), false, progress);
    EXPECT_EQ(stored.header, 780u);
    EXPECT_EQ(stored.payload, file);
}

TEST(ArchiveSlots, DataTooLongForAHeaderIsRefusedBeforeAnyWork) {
    model::Document large = demo::demoScenario();
    large.blob(model::SectionId::Units).assign(std::size_t{1} << 24, 0);
    const std::size_t length = files::writeDocument(large).size();
    WatchedProgress progress;
    EXPECT_EQ(refusal(large, 4, progress), "An entry of " + std::to_string(length) +
                                               " bytes is longer than an archive can hold");
    EXPECT_FALSE(progress.started);
    EXPECT_EQ(refusal(large, 0, progress), "There is no row 0: rows run from 1 to 87");
    EXPECT_EQ(refusal(large, 88, progress), "There is no row 88: rows run from 1 to 87");
}
