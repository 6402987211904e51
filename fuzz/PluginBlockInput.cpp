#include "PluginBlockInput.h"

#include <algorithm>

#include "core/bytes/LittleEndian.h"
#include "core/plugin/SharedBlock.h"

namespace tarnwick::fuzz {

namespace {

using plugin::BlockField;
using plugin::BlockFieldInfo;

// A run of the block's bytes that the input gives in one piece.
struct Piece {
    std::size_t offset;
    std::size_t size;
};

constexpr std::size_t kClaimsOffset = plugin::blockField(BlockField::EraExpansionPresent).offset;
constexpr Piece kClaims{kClaimsOffset, plugin::kBlockSize - kClaimsOffset};
constexpr Piece kFixedPart{0, plugin::blockField(BlockField::TileMap).offset};

std::size_t claim(std::span<const std::uint8_t> block, BlockField id) {
    return bytes::readLe(block, plugin::blockField(id).offset, plugin::blockField(id).size);
}

// The used part of each map layer for the claims the block holds, cut to the layer's room.
std::vector<Piece> layerPieces(std::span<const std::uint8_t> block) {
    std::vector<Piece> pieces;
    for (const BlockFieldInfo& info : plugin::kBlockLayout) {
        if (info.onSave != plugin::OnSave::MapLayer) {
            continue;
        }
        const std::size_t cells =
            info.id == BlockField::Units
                ? claim(block, BlockField::UnitCount)
                : claim(block, BlockField::MapWidth) * claim(block, BlockField::MapHeight);
        pieces.push_back({info.offset, std::min(cells, info.size / info.cellSize) * info.cellSize});
    }
    return pieces;
}

}  // namespace

std::vector<std::uint8_t> blockFromInput(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> block(plugin::kBlockSize, kUnusedByte);
    std::size_t next = std::min<std::size_t>(1, input.size());
    const auto place = [&](const Piece& piece) {
        const std::size_t taken = std::min(piece.size, input.size() - next);
        const auto at = block.begin() + static_cast<std::ptrdiff_t>(piece.offset);
        std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(next), taken, at);
        std::fill(at + static_cast<std::ptrdiff_t>(taken),
                  at + static_cast<std::ptrdiff_t>(piece.size), 0);
        next += taken;
    };
    place(kClaims);
    place(kFixedPart);
    for (const Piece& layer : layerPieces(block)) {
        place(layer);
    }
    const std::ptrdiff_t sizeChange = input.empty() ? 0 : static_cast<std::int8_t>(input[0]);
    block.resize(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(block.size()) + sizeChange),
                 kUnusedByte);
    return block;
}

std::vector<std::uint8_t> inputFromBlock(std::span<const std::uint8_t> block) {
    std::vector<std::uint8_t> input = {0};
    std::vector<Piece> pieces = {kClaims, kFixedPart};
    const auto layers = layerPieces(block);
    pieces.insert(pieces.end(), layers.begin(), layers.end());
    for (const Piece& piece : pieces) {
        const auto from = block.begin() + static_cast<std::ptrdiff_t>(piece.offset);
        input.insert(input.end(), from, from + static_cast<std::ptrdiff_t>(piece.size));
    }
    return input;
}

}  // namespace tarnwick::fuzz
