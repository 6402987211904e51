// Building sprite bitmaps: the converter alone on a large sprite, and the whole preview path
// of the GFX page (extract palette and sprite, convert the first frame, load a QImage).
#include <benchmark/benchmark.h>

#include <QImage>

#include "DemoGameData.h"
#include "core/Progress.h"
#include "core/archive/Archive.h"
#include "core/graphics/SpriteConverter.h"

using namespace tarnwick;

namespace {

void convertLargeSprite(benchmark::State& state) {
    const auto sprite = demo::demoSprite(100, 72, 72, 50);
    const auto palette = graphics::greyPalette();
    NoProgress quiet;
    std::size_t output = 0;
    for (auto _ : state) {
        const auto converted = graphics::convertGfx(sprite, 0, palette, quiet);
        output = converted.bitmap.size();
        benchmark::DoNotOptimize(converted.bitmap.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(output));
}

void previewPath(benchmark::State& state) {
    std::vector<std::uint8_t> archive;
    for (const auto& file : demo::demoGameFiles()) {
        if (file.path == "DATA/MAINDAT.WAR") {
            archive = file.bytes;
        }
    }
    NoProgress quiet;
    for (auto _ : state) {
        const archive::ArchiveView view(archive);
        const auto palette = graphics::paletteFromGame(view.extract(2));
        const auto sprite = view.extract(demo::kFirstDemoSprite + 4);
        const auto converted = graphics::convertGfx(sprite, 1, palette, quiet);
        const QImage image = QImage::fromData(converted.bitmap.data(),
                                              static_cast<int>(converted.bitmap.size()), "BMP");
        benchmark::DoNotOptimize(image.constBits());
    }
}

}  // namespace

BENCHMARK(convertLargeSprite)->Unit(benchmark::kMillisecond);
BENCHMARK(previewPath)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
