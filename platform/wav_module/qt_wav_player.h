// The WAV player on Qt Multimedia's sound effect, which decodes the file itself and plays through
// the system's audio output; it needs none of the media back ends.
#pragma once

#include "platform/wav_player.h"

#include <QObject>
#include <memory>

class QSoundEffect;

class QtWavPlayer final : public QObject, public WavPlayer {
    Q_OBJECT
public:
    explicit QtWavPlayer(QObject* parent = nullptr);
    ~QtWavPlayer() override;

    bool available(QString* reason = nullptr) const override;
    bool open(const QString& path) override;
    bool isOpen() const override;
    void play() override;
    void stop() override;
    void rewind() override;

private:
    void onStatusChanged();

    std::unique_ptr<QSoundEffect> effect_;
    QString path_;
    bool broken_ = false;
};
