#include "platform/DeviceModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QtDebug>

#include "core/plugin/PluginLinkError.h"

namespace tarnwick::platform {

namespace {

// The module beside the program (the build tree), else in the install's library folder. It
// stays loaded for the rest of the run: the objects it made live as long.
QFunctionPointer moduleFactory(const char* name, QString& failure) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QStringList candidates = {
        programFolder + "/" TARNWICK_DEVICE_MODULE,
        programFolder + "/" TARNWICK_DEVICE_MODULE_FOLDER "/" TARNWICK_DEVICE_MODULE,
    };
    failure =
        QString("no %1 beside the program or in %2")
            .arg(TARNWICK_DEVICE_MODULE,
                 QFileInfo(programFolder + "/" TARNWICK_DEVICE_MODULE_FOLDER).absoluteFilePath());
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        QLibrary library(path);
        if (const QFunctionPointer factory = library.resolve(name)) {
            return factory;
        }
        failure = library.errorString();
    }
    return nullptr;
}

}  // namespace

void OnDemandHostLink::open() {
    loaded().open();
}

plugin::LinkObject& OnDemandHostLink::linkObject() {
    return loaded().linkObject();
}

void OnDemandHostLink::close(bool save) {
    // A link never loaded was never opened: there is nothing to close.
    if (link_) {
        link_->close(save);
    }
}

void OnDemandHostLink::saveAndClose(const model::Document& document) {
    loaded().saveAndClose(document);
}

HostLink& OnDemandHostLink::loaded() {
    if (!link_) {
        QString failure;
        const auto create =
            reinterpret_cast<CreateHostLink>(moduleFactory(kCreateHostLink, failure));
        if (create == nullptr) {
            throw plugin::PluginLinkError::cannotCommunicate("(" + failure.toStdString() + ")");
        }
        link_.reset(create());
    }
    return *link_;
}

void OnDemandSoundOutput::playWave(std::vector<std::uint8_t> wave) {
    if (!loadTried_) {
        loadTried_ = true;
        QString failure;
        const auto create =
            reinterpret_cast<CreateSoundOutput>(moduleFactory(kCreateSoundOutput, failure));
        if (create != nullptr) {
            output_.reset(create());
        } else {
            qWarning().noquote() << "No sound:" << failure;
        }
    }
    if (output_) {
        output_->playWave(std::move(wave));
    }
}

}  // namespace tarnwick::platform
