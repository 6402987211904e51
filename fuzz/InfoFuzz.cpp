// Any bytes as a scenario file, summarised by `info` as the tool runs it: a clear Error, or the
// summary the command promises, every line "name: value", one line per player 1 to 8.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "Require.h"
#include "core/Error.h"
#include "core/model/PlayerSettings.h"
#include "tool/Commands.h"

namespace {

using namespace tarnwick;
using fuzz::require;

// The scenario as a file the tool can open by name, without touching the disk.
class MemoryFile {
  public:
    MemoryFile() : descriptor_(memfd_create("fuzz-scenario", 0)) { require(descriptor_ >= 0); }
    std::string path() const { return "/proc/self/fd/" + std::to_string(descriptor_); }
    void hold(const std::uint8_t* data, std::size_t size) {
        require(ftruncate(descriptor_, 0) == 0 &&
                pwrite(descriptor_, data, size, 0) == static_cast<ssize_t>(size));
    }

  private:
    int descriptor_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    static const std::vector<tool::Command> commands = tool::scenarioCommands();
    const auto info = std::find_if(commands.begin(), commands.end(),
                                   [](const tool::Command& c) { return c.name == "info"; });
    file.hold(data, size);
    std::ostringstream out;
    try {
        info->run({{file.path()}, {}}, out);
    } catch (const Error&) {
        return 0;
    }
    std::istringstream lines(out.str());
    std::size_t players = 0;
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(": ");
        require(colon != std::string::npos && colon > 0 &&
                std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon),
                            [](char c) {
                                return (c >= 'a' && c <= 'z') || c == ' ' || (c >= '0' && c <= '9');
                            }));
        if (line.starts_with("player ")) {
            ++players;
        }
    }
    require(players == model::kEditedPlayerCount);
    return 0;
}
