// QSoundEffect plays from the start every time, so "rewind" is the stop it already does.
#include "platform/wav_module/qt_wav_player.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

QtWavPlayer::QtWavPlayer(QObject* parent) : QObject(parent) {}

QtWavPlayer::~QtWavPlayer() = default;

bool QtWavPlayer::available(QString* reason) const {
    if (!QMediaDevices::audioOutputs().isEmpty())
        return true;
    if (reason)
        *reason = u"Не найдено устройство вывода звука: прослушивание радиосообщений "
                  u"недоступно."_s;
    return false;
}

bool QtWavPlayer::open(const QString& path) {
    if (effect_ && path == path_ && !broken_)
        return true;
    // The old effect may be the one whose signal is being delivered right now.
    if (effect_)
        effect_.release()->deleteLater();
    path_.clear();
    broken_ = false;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull() || !QFileInfo(path).isFile())
        return false;
    effect_ = std::make_unique<QSoundEffect>(output);
    path_ = path;
    connect(effect_.get(), &QSoundEffect::statusChanged, this, &QtWavPlayer::onStatusChanged);
    effect_->setSource(QUrl::fromLocalFile(path));
    return true;
}

bool QtWavPlayer::isOpen() const {
    return effect_ && !broken_;
}

void QtWavPlayer::play() {
    if (!isOpen())
        return;
    // A play while the sound still runs would restart it; the button means "go on".
    if (!effect_->isPlaying())
        effect_->play();
}

void QtWavPlayer::stop() {
    if (effect_)
        effect_->stop();
}

void QtWavPlayer::rewind() {
    stop();
}

void QtWavPlayer::onStatusChanged() {
    if (!effect_ || effect_->status() != QSoundEffect::Error || broken_)
        return;
    broken_ = true;
    reportFailure(u"Файл \"%1\" не удаётся воспроизвести: это не звуковой файл WAV или он "
                  u"повреждён."_s.arg(QFileInfo(path_).fileName()));
}
