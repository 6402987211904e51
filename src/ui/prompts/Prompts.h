#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace tarnwick::ui {

enum class MessageIcon { None, Question, Warning, Error, Information };
enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

struct Message {
    MessageIcon icon = MessageIcon::None;
    QString caption;
    QString text;
};

// The boxes of fixed form: a plain box captioned with the application title, and the typed ones.
inline Message plainMessage(const QString& text) {
    return {MessageIcon::None, "Tarnwick", text};
}
inline Message warningMessage(const QString& text) {
    return {MessageIcon::Warning, "Warning", text};
}
inline Message errorMessage(const QString& text) {
    return {MessageIcon::Error, "Error", text};
}

// A file chooser as the program describes it. `filter` uses the "label|pattern|label|pattern"
// form; `filterIndex` counts from 1.
struct FileChoice {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExtension;
    QString initialDirectory;
    QString fileName;
    bool mustExist = true;  // false: a new file may be named in an existing folder
};

// Every message box and file chooser goes through here, so tests can answer them.
class Prompts {
  public:
    virtual ~Prompts() = default;

    virtual Answer ask(const Message& message, Buttons buttons) = 0;
    // A question answered with one of `choices` (button texts, in order) or with Cancel, which
    // the box always offers, and which Enter, Escape and its close box also give: the chosen
    // one's index, nothing for Cancel.
    virtual std::optional<qsizetype> choose(const Message& message, const QStringList& choices) = 0;
    virtual std::optional<QString> chooseFileToOpen(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseFileToSave(const FileChoice& choice) = 0;

    void show(const Message& message) { ask(message, Buttons::Ok); }

    void plain(const QString& text) { show(plainMessage(text)); }
    void warning(const QString& text) { show(warningMessage(text)); }
    void error(const QString& text) { show(errorMessage(text)); }
    void information(const QString& text) { show({MessageIcon::Information, "Information", text}); }
    // The box for an error that no command caught.
    void standardError(const QString& text) { show({MessageIcon::Error, "Tarnwick", text + "."}); }
};

}  // namespace tarnwick::ui
