// What the game keeps of config.cfg.
#include "language/saved_settings.h"

#include <QFileInfo>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

bool isConfigCfg(const QString& fileName) {
    return !fileName.isEmpty() &&
           QFileInfo(fileName).fileName().compare(u"config.cfg"_s, Qt::CaseInsensitive) == 0;
}

bool startsLikeGameConfig(QStringView text) {
    static constexpr QStringView header =
        u"// This file is overwritten whenever you change your user settings in the game.";
    qsizetype at = 0;
    while (at < text.size() && text[at].isSpace())
        ++at;
    const QStringView rest = text.mid(at);
    return rest.startsWith(header, Qt::CaseInsensitive) ||
           rest.startsWith(u"unbindall", Qt::CaseInsensitive);
}

bool keptInConfigCfg(QStringView lowerName, QStringView argument, const Vocabulary& words) {
    static const QStringView written[] = {u"bind",    u"unbind", u"unbindall",
                                          u"setinfo", u"+mlook", u"+jlook"};
    for (QStringView w : written)
        if (lowerName == w)
            return true;
    if (lowerName == u"exec")
        return argument.compare(u"userconfig.cfg", Qt::CaseInsensitive) == 0;
    return words.isSaved(lowerName);
}

QString notKeptMessage(const QList<int>& lines) {
    constexpr qsizetype kShown = 8;
    QStringList shown;
    for (qsizetype i = 0; i < lines.size() && i < kShown; ++i)
        shown.append(QString::number(lines.at(i)));
    QString listed = shown.join(u", "_s);
    if (lines.size() > kShown)
        listed += u" и ещё %1"_s.arg(lines.size() - kShown);
    return (lines.size() == 1
                ? u"Игра перезаписывает config.cfg при выходе и оставляет в нём только "
                  u"клавиши и свои сохраняемые настройки: строка %1 пропадёт после "
                  u"игры. Перенесите её в autoexec.cfg"_s
                : u"Игра перезаписывает config.cfg при выходе и оставляет в нём только "
                  u"клавиши и свои сохраняемые настройки: строки %1 пропадут после "
                  u"игры. Перенесите их в autoexec.cfg"_s)
        .arg(listed);
}
