#include <gtest/gtest.h>

#include "ArchiveBuilder.h"
#include "ErrorText.h"
#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/archive/EntryInsertion.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using archive::ArchiveView;

namespace {

std::string failureOf(const Bytes& bytes, std::int64_t entry) {
    return errorOf([&] { ArchiveView(bytes).extract(entry); });
}

Bytes insert(const Bytes& archive, std::int64_t entry, const Bytes& data) {
    NoProgress quiet;
    return archive::insertEntry(archive, entry, archive::entryHeader(data.size(), false), data,
                                quiet);
}

}  // namespace

TEST(Archive, StoredAndCompressedEntries) {
    const Bytes archive =
        ArchiveBuilder().stored({1, 2, 3}).compressed(Bytes(5000, 'z')).empty().stored({}).bytes();
    const ArchiveView view(archive);
    EXPECT_EQ(view.entryCount(), 4u);
    EXPECT_EQ(view.extract(0), (Bytes{1, 2, 3}));
    EXPECT_EQ(view.extract(1), Bytes(5000, 'z'));
    EXPECT_TRUE(view.info(1).compressed);
    EXPECT_EQ(view.info(1).length, 5000u);
    EXPECT_LT(view.info(1).storedLength, 1000u);
    EXPECT_TRUE(view.extract(3).empty());
    EXPECT_EQ(failureOf(archive, 2), "Entry does not exist in opened data file!: 2");
}

TEST(Archive, ExtentsFollowTheNextHigherOffset) {
    // Table 24, 60, 40, -1: entry 0 is 24..39, entry 2 is 40..59, entry 1 runs to the end.
    Bytes body(70 - 24);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<std::uint8_t>(24 + i);
    }
    for (const std::size_t start : {24u, 40u, 60u}) {
        body[start - 24 + 3] = 0;  // stored: the header's top byte is not 0x20
    }
    const Bytes archive = archiveWithTable({24, 60, 40, -1}, body);
    const ArchiveView view(archive);
    EXPECT_EQ(view.info(0).storedLength, 16u);
    EXPECT_EQ(view.info(2).storedLength, 20u);
    EXPECT_EQ(view.info(1).storedLength, 10u);
    EXPECT_EQ(view.extract(1), (Bytes{64, 65, 66, 67, 68, 69}));
    EXPECT_EQ(failureOf(archive, 3), "Entry does not exist in opened data file!: 3");
}

TEST(Archive, SharedOffsetsAndStoredLengths) {
    Bytes body = {0x05, 0, 0, 0x11, 'a', 'b'};  // low bits say 5, the extent says 2
    const Bytes archive = archiveWithTable({16, 16}, body);
    const ArchiveView view(archive);
    EXPECT_EQ(view.extract(0), (Bytes{'a', 'b'}));
    EXPECT_EQ(view.extract(1), view.extract(0));
    // A compressed entry of length 0 is empty.
    EXPECT_TRUE(ArchiveView(archiveWithTable({12}, {0, 0, 0, 0x20})).extract(0).empty());
}

TEST(Archive, DamagedArchivesFailWithoutReadingPastTheEnd) {
    EXPECT_EQ(failureOf(archiveWithTable({12}, {1, 2, 3, 4}), 1),
              "Entry does not exist in opened data file!: 1");
    EXPECT_EQ(failureOf(archiveWithTable({12}, {1, 2, 3, 4}), -1),
              "Entry does not exist in opened data file!: -1");
    EXPECT_EQ(failureOf(archiveWithTable({500}, {1, 2, 3, 4}), 0),
              "Entry 0 lies outside the archive");
    EXPECT_EQ(failureOf(archiveWithTable({12, 900}, {1, 2, 3, 4}), 0),
              "Entry 0 lies outside the archive");
    EXPECT_EQ(failureOf(archiveWithTable({20, 15}, Bytes(8, 1)), 1),
              "Entry 1 lies outside the archive");  // inside the offset table
    EXPECT_EQ(failureOf(archiveWithTable({12}, {1, 2}), 0), "Entry 0 is too short for its header");
    EXPECT_EQ(failureOf(archiveWithTable({12}, {9, 0, 0, 0x20, 0xFF}), 0),
              "The compressed data ends before its declared length");
    EXPECT_EQ(failureOf({1, 2, 3}, 0), "The archive is damaged: it is shorter than its header");
    EXPECT_EQ(failureOf({1, 2, 3, 4, 9, 0, 0, 0, 1}, 0),
              "The archive is damaged: its table of 9 entries runs past the end of the file");
}

TEST(EntryInsertion, GrowsShrinksAndMovesOnlyLaterEntries) {
    const Bytes original =
        ArchiveBuilder().stored({1, 1}).compressed(Bytes(300, 2)).empty().stored({3, 3, 3}).bytes();
    for (const std::size_t length : {0u, 1u, 50u, 1000u}) {
        const Bytes data(length, 9);
        const Bytes result = insert(original, 1, data);
        const ArchiveView before(original);
        const ArchiveView after(result);
        EXPECT_EQ(after.extract(0), before.extract(0));
        EXPECT_EQ(after.extract(1), data);
        EXPECT_EQ(after.extract(3), before.extract(3));
        EXPECT_EQ(after.offset(2), -1);
        EXPECT_EQ(after.offset(0), before.offset(0));
        EXPECT_EQ(result.size(), original.size() + 4 + length - before.info(1).storedLength);
        // Header bytes are written back unchanged.
        EXPECT_TRUE(std::equal(result.begin(), result.begin() + 8, original.begin()));
    }
}

TEST(EntryInsertion, ReplacingTheLastEntryEndsTheArchiveWithIt) {
    const Bytes original = ArchiveBuilder().stored({1}).stored({2, 2}).bytes();
    const Bytes result = insert(original, 1, {7, 7, 7});
    EXPECT_EQ(ArchiveView(result).offset(1), ArchiveView(original).offset(1));
    EXPECT_EQ((Bytes(result.end() - 7, result.end())), (Bytes{3, 0, 0, 0, 7, 7, 7}));
}

TEST(EntryInsertion, SlotsSharingTheOffsetNameTheNewData) {
    const Bytes original = archiveWithTable({20, 20, 26}, {2, 0, 0, 0, 'a', 'b', 1, 0, 0, 0, 'c'});
    const Bytes result = insert(original, 0, {'x', 'y', 'z'});
    EXPECT_EQ(ArchiveView(result).extract(1), (Bytes{'x', 'y', 'z'}));
    EXPECT_EQ(ArchiveView(result).extract(2), (Bytes{'c'}));
    EXPECT_EQ(ArchiveView(result).offset(2), 27);
}

TEST(EntryInsertion, RefusesWhatItCannotReplace) {
    const Bytes original = ArchiveBuilder().stored({1}).empty().bytes();
    EXPECT_THROW(insert(original, 2, {1}), Error);
    EXPECT_THROW(insert(original, -1, {1}), Error);
    EXPECT_THROW(insert(original, 1, {1}), Error);
    EXPECT_THROW(insert(archiveWithTable({4}, {0, 0, 0, 0}), 0, {1}), Error);
}

// Writing into a damaged archive would keep its damage and hide it behind a successful write.
TEST(EntryInsertion, RefusesAnArchiveWithDamageElsewhere) {
    const Bytes whole =
        ArchiveBuilder().stored(Bytes(10, 1)).stored(Bytes(10, 2)).stored(Bytes(10, 3)).bytes();
    const Bytes truncated(whole.begin(), whole.end() - 12);  // the last entry's start is cut off
    const auto refusal = [](const Bytes& archive) {
        return errorOf([&] { insert(archive, 0, {9}); });
    };
    EXPECT_EQ(refusal(truncated),
              "The archive is damaged: entry 2 lies beyond the end of the file");
    // Entry 0 at 16 ends where entry 1 begins, two bytes later: no room for its header.
    EXPECT_EQ(refusal(archiveWithTable({16, 18}, Bytes(8, 0))),
              "The archive is damaged: the entry at 16 is too short for its header");
    EXPECT_EQ(refusal(archiveWithTable({16, 12}, Bytes(8, 0))),
              "The archive is damaged: entry 1 lies inside its table");
    // Shared offsets and empty slots are no damage.
    EXPECT_NO_THROW(insert(archiveWithTable({20, -1, 20}, Bytes(8, 0)), 0, {9}));
}
