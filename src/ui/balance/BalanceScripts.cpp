#include "ui/balance/BalanceScripts.h"

#include "core/ShortList.h"

namespace tarnwick::ui {

namespace {
constexpr std::int64_t kAnimationEntry = 278;
const QString kAnimationArchive = "MAINDAT.WAR";
}  // namespace

void BalanceScripts::read() {
    const std::vector<std::uint8_t> entry =
        extractor_.extractEntry(kAnimationEntry, kAnimationArchive);
    walked_.failures = game::updateAnimationSummary(entry, walked_.summary);
    if (!walked_.failures.empty()) {
        prompts_.plain(QString::fromStdString(shortList(walked_.failures)));
    }
}

}  // namespace tarnwick::ui
