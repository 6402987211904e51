// Any bytes as a sprite: it converts, clipped to its cells, or is refused with an error.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/Progress.h"
#include "core/graphics/SpriteConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarnwick;
    try {
        const auto header = graphics::readSpriteHeader({data, size});
        // Large bitmaps are refused by the converter anyway; here they would only slow the run.
        if (std::size_t{header.width} * header.height * header.frameCount > (256u << 10)) {
            return 0;
        }
        NoProgress quiet;
        const auto converted =
            graphics::convertGfx({data, size}, 0, graphics::greyPalette(), quiet);
        const std::size_t stride = (std::size_t{header.width} + 3) & ~std::size_t{3};
        if (converted.bitmap.size() !=
            graphics::kBmpHeaderSize + stride * header.height * converted.frames) {
            __builtin_trap();
        }
    } catch (const Error&) {
    }
    return 0;
}
