// Loading the sound module. The module stays loaded to the end of the program: the player's code
// lives in it.
#include "platform/wav_module_loader.h"

#include <QLibrary>

using namespace Qt::Literals::StringLiterals;

namespace {

using Factory = decltype(&tessera_new_wav_player);

} // namespace

ModuleWavPlayer::ModuleWavPlayer(QString modulePath) : m_modulePath(std::move(modulePath)) {}

ModuleWavPlayer::~ModuleWavPlayer() = default;

WavPlayer* ModuleWavPlayer::player() const {
    if (m_tried)
        return m_player.get();
    m_tried = true;
    QLibrary module(m_modulePath);
    auto factory = reinterpret_cast<Factory>(module.resolve(kWavFactoryName));
    if (!factory) {
        // One line, for the status line; the loader's own reason is for the developer.
        qWarning("%s", qUtf8Printable(module.errorString()));
        m_loadError = u"Не удалось загрузить модуль звука %1: прослушивание радиосообщений "
                      u"недоступно."_s.arg(m_modulePath);
        return nullptr;
    }
    m_player.reset(factory());
    // The module's player reports through this one's handler.
    m_player->setFailureHandler([this](const QString& message) { reportFailure(message); });
    return m_player.get();
}

bool ModuleWavPlayer::available(QString* reason) const {
    if (WavPlayer* p = player())
        return p->available(reason);
    if (reason)
        *reason = m_loadError;
    return false;
}

bool ModuleWavPlayer::open(const QString& path) {
    WavPlayer* p = player();
    return p && p->open(path);
}

bool ModuleWavPlayer::isOpen() const {
    return m_player && m_player->isOpen();
}

void ModuleWavPlayer::play() {
    if (m_player)
        m_player->play();
}

void ModuleWavPlayer::stop() {
    if (m_player)
        m_player->stop();
}

void ModuleWavPlayer::rewind() {
    if (m_player)
        m_player->rewind();
}
