#include <gtest/gtest.h>

#include "ScenarioBuilder.h"
#include "core/archive/ArchiveSlots.h"
#include "core/archive/LzssDecoder.h"
#include "core/files/DocumentFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

// The reader ignores the length in a stored entry's header, so only here does it show.
TEST(ArchiveSlots, TheHeaderHoldsTheLengthAndMarksCompression) {
    const Bytes file = patternBytes(780, 9);
    const model::Document upgrades = files::readDocument({}, file, "mine.ugd");
    NoProgress quiet;
    const auto compressed = archive::packForSlot(upgrades, archive::slotAtRow(3), true, quiet);
    EXPECT_EQ(compressed.header, 0x20000000u | 780u);
    EXPECT_EQ(archive::lzssDecompress(compressed.payload, 780), file);
    const auto stored = archive::packForSlot(upgrades, archive::slotAtRow(3), false, quiet);
    EXPECT_EQ(stored.header, 780u);
    EXPECT_EQ(stored.payload, file);
}
