// Any bytes as an archive: every entry is listed and extracted, or refused with an error.
#include <cstddef>
#include <cstdint>

#include "core/Error.h"
#include "core/archive/Archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const tarnwick::archive::ArchiveView view({data, size});
        for (std::size_t slot = 0; slot < view.entryCount() && slot < 64; ++slot) {
            try {
                const auto info = view.info(static_cast<std::int64_t>(slot));
                if (info.length <= (1u << 20)) {
                    const auto bytes = view.extract(static_cast<std::int64_t>(slot));
                    if (bytes.size() != info.length) {
                        __builtin_trap();
                    }
                }
            } catch (const tarnwick::Error&) {
            }
        }
    } catch (const tarnwick::Error&) {
    }
    return 0;
}
