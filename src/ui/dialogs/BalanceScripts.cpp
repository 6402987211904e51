#include "ui/dialogs/BalanceScripts.h"

#include "core/ShortList.h"

namespace tarnwick::ui {

namespace {
constexpr std::int64_t kAnimationEntry = 278;
const QString kAnimationArchive = "MAINDAT.WAR";
constexpr std::size_t kScriptCount = game::kAnimatedUnitCount * game::kAnimationCount;
}  // namespace

bool BalanceScripts::read() {
    const std::vector<std::uint8_t> entry =
        extractor_.extractEntry(kAnimationEntry, kAnimationArchive);
    const std::vector<std::string> failures = game::updateAnimationSummary(entry, summary_);
    if (!failures.empty()) {
        prompts_.plain(QString::fromStdString(shortList(failures)));
    }
    return failures.size() < kScriptCount;
}

}  // namespace tarnwick::ui
