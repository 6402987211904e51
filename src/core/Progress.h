#pragma once

#include <string>

namespace tarnwick {

// What a long operation tells its window: a caption, a range and the position in it.
class Progress {
  public:
    virtual ~Progress() = default;
    virtual void start(const std::string& caption, long long maximum) = 0;
    virtual void advance(long long position) = 0;
    virtual void finish() = 0;
};

// For callers that show nothing.
class NoProgress final : public Progress {
  public:
    void start(const std::string&, long long) override {}
    void advance(long long) override {}
    void finish() override {}
};

}  // namespace tarnwick
