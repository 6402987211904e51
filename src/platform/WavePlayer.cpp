#include "platform/WavePlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QMediaDevices>
#include <QtDebug>

#include "core/Error.h"
#include "core/sound/WaveImage.h"

namespace tarnwick::platform {

namespace {

QAudioFormat::SampleFormat qtSampleFormat(sound::SampleFormat format) {
    switch (format) {
        case sound::SampleFormat::UnsignedByte:
            return QAudioFormat::UInt8;
        case sound::SampleFormat::SignedShort:
            return QAudioFormat::Int16;
        case sound::SampleFormat::SignedInt:
            return QAudioFormat::Int32;
        case sound::SampleFormat::Float:
            break;
    }
    return QAudioFormat::Float;
}

}  // namespace

WavePlayer::WavePlayer(QObject* parent) : QObject(parent) {}

WavePlayer::~WavePlayer() {
    stop();
}

void WavePlayer::playWave(std::vector<std::uint8_t> wave) {
    stop();
    sound::WaveImage image;
    try {
        image = sound::readWave(wave);
    } catch (const Error& error) {
        qWarning("%s", error.what());
        return;
    }
    // A machine without sound plays nothing, and that is no failure.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return;
    }
    QAudioFormat format;
    format.setSampleRate(image.sampleRate);
    format.setChannelCount(image.channels);
    format.setSampleFormat(qtSampleFormat(image.format));
    if (!device.isFormatSupported(format)) {
        qWarning("The sound device cannot play %d Hz with %d channels", image.sampleRate,
                 image.channels);
        return;
    }
    samples_ = QByteArray(reinterpret_cast<const char*>(image.samples.data()),
                          static_cast<qsizetype>(image.samples.size()));
    buffer_.setData(samples_);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device, format, this);
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState) {
            stop();
        }
    });
    sink_->start(&buffer_);
}

void WavePlayer::stop() {
    if (sink_ != nullptr) {
        // The sink may be the sender of the signal that ends it: it goes once that returns.
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
    buffer_.close();
}

}  // namespace tarnwick::platform
