#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Error.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// A command that cannot go on, with the boxes the user is to see, in order. Code below a
// command throws it; the command's one guarded entry point shows the boxes (runGuarded).
class CommandFailed : public Error {
  public:
    explicit CommandFailed(std::vector<Message> messages)
        : Error(joined(messages)), messages_(std::move(messages)) {}
    explicit CommandFailed(Message message)
        : CommandFailed(std::vector<Message>{std::move(message)}) {}

    const std::vector<Message>& messages() const { return messages_; }

  private:
    static std::string joined(const std::vector<Message>& messages) {
        std::string text;
        for (const Message& message : messages) {
            text += (text.empty() ? "" : "\n") + message.text.toStdString();
        }
        return text;
    }

    std::vector<Message> messages_;
};

}  // namespace tarnwick::ui
