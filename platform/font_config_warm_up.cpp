// Reading the font configuration ahead of Qt.
#include "platform/font_config_warm_up.h"

#include <system_error>

#if defined(TESSERA_HAVE_FONTCONFIG)
#include <fontconfig/fontconfig.h>
#endif

FontConfigWarmUp::FontConfigWarmUp() {
#if defined(TESSERA_HAVE_FONTCONFIG)
    // fontconfig makes its configuration once whoever asks first: a thread that asks while
    // this one reads makes its own and keeps whichever was done first, so nothing waits here.
    try {
        m_thread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to be had: Qt reads the configuration itself, as it would anyway.
    }
#endif
}

void FontConfigWarmUp::wait() {
    if (m_thread.joinable())
        m_thread.join();
}
