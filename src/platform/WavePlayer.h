#pragma once

#include <QAudioSink>
#include <QBuffer>
#include <QObject>

#include "platform/SoundOutput.h"

namespace tarnwick::platform {

// The sound device through Qt Multimedia. The sound plays while the event loop runs, so the
// windows stay responsive; a new sound ends the one still playing.
class WavePlayer : public QObject, public SoundOutput {
    Q_OBJECT

  public:
    explicit WavePlayer(QObject* parent = nullptr);
    ~WavePlayer() override;

    void playWave(std::vector<std::uint8_t> wave) override;

  private:
    void stop();

    QByteArray samples_;
    QBuffer buffer_;
    QAudioSink* sink_ = nullptr;
};

}  // namespace tarnwick::platform
