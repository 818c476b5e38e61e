// Playing a short WAV file, for hearing a radio message before it is bound. Opening decodes the
// file in the background and playing never waits for the sound to end, so a missing audio device,
// a damaged file or a missing sound system only leave the player unable to play, and say why.
#pragma once

#include <QString>
#include <functional>

class WavPlayer {
public:
    virtual ~WavPlayer() = default;

    // Whether there is anything to play sound on; `reason` tells the user why not.
    virtual bool available(QString* reason = nullptr) const = 0;
    // Opens `path` for playing, closing what was open. False when nothing can be played (no
    // audio output); a file that turns out to be broken is reported later through the failure
    // handler and the player closes it.
    virtual bool open(const QString& path) = 0;
    virtual bool isOpen() const = 0;
    // Plays the open file from its current position; a file played to its end starts again.
    virtual void play() = 0;
    // Stops playing and goes back to the start of the file.
    virtual void stop() = 0;
    virtual void rewind() = 0;

    // Called with a Russian message when an opened file cannot be played after all.
    void setFailureHandler(std::function<void(const QString&)> handler) {
        failureHandler_ = std::move(handler);
    }

protected:
    void reportFailure(const QString& message) const {
        if (failureHandler_)
            failureHandler_(message);
    }

private:
    std::function<void(const QString&)> failureHandler_;
};
