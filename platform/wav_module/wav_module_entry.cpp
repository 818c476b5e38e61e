// The entry of the sound module: the program loads this module on the first radio preview and
// asks it for a player, so Qt Multimedia and the sound libraries it brings are not loaded at
// start.
#include "platform/wav_module/qt_wav_player.h"
#include "platform/wav_module_loader.h"

extern "C" Q_DECL_EXPORT WavPlayer* tessera_new_wav_player() {
    return new QtWavPlayer;
}
