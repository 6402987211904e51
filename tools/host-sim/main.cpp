#include <unistd.h>

#include <iostream>
#include <memory>
#include <optional>
#include <utility>

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include "HostSession.h"
#include "SharedBlockOwner.h"
#include "SignalWatch.h"
#include "core/files/Scenario.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/Notification.h"
#include "platform/FileStore.h"
#include "platform/PluginLink.h"

// tarnwick-host: plays the host scenario editor, so that plug-in mode can be tried
// and tested without it.
namespace {

using tarnwick::hostsim::HostOptions;

constexpr const char* kUsage =
    "usage: tarnwick-host FILE.pud [--editor PATH] [--out OUT.pud]\n"
    "                     [--handle N] [--timeout SECONDS] [--no-ack]\n"
    "Creates the shared block /MarrowbyFMF.DTA from FILE.pud, starts the editor with\n"
    "-MarrowbyPlugIn and answers its notifications. When the editor saves (1026 with 1), the\n"
    "block is written back to OUT.pud (default FILE.pud.out.pud). Exits 0 once the editor has\n"
    "ended, non-zero when it failed or never notified.\n"
    "The environment variable TARNWICK_PLUGIN_BLOCK names another block (\"/name\"), for this\n"
    "host and the editor it starts: runs with names of their own never meet.\n"
    "  --editor PATH      the editor to start (default: tarnwick beside this program, or the\n"
    "                     one this program was built with)\n"
    "  --handle N         the host handle written at offset 0 (default: this process's id);\n"
    "                     0 means no notifications: the block is written back if it changed\n"
    "  --timeout SECONDS  stop the editor and fail after this long (default: no limit)\n"
    "  --no-ack           never answer a notification (the editor must not hang)\n";

std::optional<std::uint32_t> parseNumber(const QString& text) {
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 0);
    if (!ok || value > 0xFFFFFFFFull) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

QString defaultEditor() {
    const QString beside = QCoreApplication::applicationDirPath() + "/tarnwick";
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
#ifdef TARNWICK_BUILT_EDITOR
    if (QFileInfo(TARNWICK_BUILT_EDITOR).isExecutable()) {
        return TARNWICK_BUILT_EDITOR;
    }
#endif
    return QStandardPaths::findExecutable("tarnwick");
}

std::optional<HostOptions> parse(const QStringList& arguments) {
    HostOptions options;
    options.handle = static_cast<std::uint32_t>(::getpid());
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--editor" && hasValue) {
            options.editor = arguments[++i];
        } else if (argument == "--out" && hasValue) {
            options.out = arguments[++i];
        } else if (argument == "--handle" && hasValue) {
            const auto handle = parseNumber(arguments[++i]);
            if (!handle) {
                return std::nullopt;
            }
            options.handle = *handle;
        } else if (argument == "--timeout" && hasValue) {
            const auto seconds = parseNumber(arguments[++i]);
            if (!seconds || *seconds > 86400) {
                return std::nullopt;
            }
            options.timeoutSeconds = static_cast<int>(*seconds);
        } else if (argument == "--no-ack") {
            options.acknowledge = false;
        } else if (!argument.startsWith("--") && options.scenario.isEmpty()) {
            options.scenario = argument;
        } else {
            return std::nullopt;
        }
    }
    if (options.scenario.isEmpty()) {
        return std::nullopt;
    }
    if (options.out.isEmpty()) {
        options.out = options.scenario + ".out.pud";
    }
    if (options.editor.isEmpty()) {
        options.editor = defaultEditor();
    }
    return options;
}

void say(const std::string& line) {
    std::cout << "tarnwick-host: " << line << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto options = parse(QCoreApplication::arguments());
    if (!options) {
        std::cerr << kUsage;
        return 2;
    }
    if (options->editor.isEmpty()) {
        say("no editor found: name one with --editor");
        return 2;
    }
    if (!QFileInfo(options->editor).isExecutable()) {
        say("the editor " + options->editor.toStdString() + " is no executable file");
        return 2;
    }

    std::vector<std::uint8_t> block;
    tarnwick::model::Document scenario;
    try {
        const auto file = tarnwick::platform::readWholeFile(options->scenario);
        if (!tarnwick::files::looksLikeScenario(file)) {
            throw tarnwick::Error(options->scenario.toStdString() + " is no scenario");
        }
        tarnwick::files::readScenario(scenario, file);
        block = tarnwick::plugin::blockFromScenario(scenario, options->handle);
    } catch (const std::exception& error) {
        say(error.what());
        return 2;
    }

    std::unique_ptr<QLocalServer> server;
    if (options->handle != 0) {
        const QString endpoint =
            QString::fromStdString(tarnwick::plugin::notificationEndpoint(options->handle));
        server = std::make_unique<QLocalServer>();
        server->setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(endpoint);
        if (!server->listen(endpoint)) {
            say("cannot listen on " + endpoint.toStdString() + ": " +
                server->errorString().toStdString());
            return 2;
        }
    }

    std::optional<tarnwick::hostsim::SharedBlockOwner> owner;
    try {
        owner.emplace(tarnwick::platform::hostBlockName(), block);
    } catch (const std::exception& error) {
        say(error.what());
        return 2;
    }
    say("created " + owner->name() + " (" + std::to_string(block.size()) +
        " bytes, mode 0600) from " + options->scenario.toStdString() + ", host handle " +
        std::to_string(options->handle));

    tarnwick::hostsim::HostSession session(*options, *owner, block, std::move(scenario),
                                           server.get());
    tarnwick::hostsim::SignalWatch signalWatch([&session](int number) {
        session.abandon(QString("interrupted by signal %1").arg(number));
    });
    QTimer::singleShot(0, &session, &tarnwick::hostsim::HostSession::start);
    app.exec();
    const std::string name = owner->name();
    owner.reset();
    say("removed " + name);
    return session.exitCode();
}
