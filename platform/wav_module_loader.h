// The WAV player the program uses: a stand-in that loads the sound module (tessera_wav, where
// ProgramHome::soundModule() says) on its first use and passes every call to the player the module
// makes. When the module cannot be loaded, nothing can be played and available() says why.
#pragma once

#include "platform/wav_player.h"

#include <memory>

// The function the module exports: a new player the caller owns.
extern "C" WavPlayer* tessera_new_wav_player();
inline constexpr char kWavFactoryName[] = "tessera_new_wav_player";

class ModuleWavPlayer final : public WavPlayer {
public:
    // `modulePath` without the file name's ending, as QLibrary takes it.
    explicit ModuleWavPlayer(QString modulePath);
    ~ModuleWavPlayer() override;

    bool available(QString* reason = nullptr) const override;
    bool open(const QString& path) override;
    bool isOpen() const override;
    void play() override;
    void stop() override;
    void rewind() override;

private:
    // The module's player, made on the first call; null when the module could not be loaded.
    WavPlayer* player() const;

    QString m_modulePath;
    mutable bool m_tried = false;
    mutable QString m_loadError;
    mutable std::unique_ptr<WavPlayer> m_player;
};
