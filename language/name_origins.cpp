// What the check says of a name that the game of CS 1.5 does not have.
#include "language/name_origins.h"

#include <iterator>

using namespace Qt::Literals::StringLiterals;

NameOrigin originOf(const WordInfo& info) {
    switch (info.version) {
    case GameVersion::Cs15:
        return NameOrigin::Game15;
    case GameVersion::Cs16:
        return NameOrigin::Steam16;
    case GameVersion::Later:
        return NameOrigin::SteamLater;
    case GameVersion::Rebuild:
        break;
    }
    switch (info.rebuild) {
    case Rebuild::ReHlds:
        return NameOrigin::ReHlds;
    case Rebuild::ReGameDll:
        return NameOrigin::ReGameDll;
    case Rebuild::CsClient:
        return NameOrigin::CsClient;
    case Rebuild::Xash:
    case Rebuild::None:
        break;
    }
    return NameOrigin::Xash;
}

bool originIsWarning(const WordInfo& info) {
    const NameOrigin origin = originOf(info);
    return (origin == NameOrigin::Steam16 || origin == NameOrigin::SteamLater) &&
           !info.serverCommand;
}

QString originMark(NameOrigin origin) {
    // In the order of NameOrigin.
    static constexpr QStringView marks[] = {
        u"", u"CS 1.6 (Steam), в 1.5 нет", u"поздний Steam, в 1.5 нет", u"только ReHLDS",
        u"только ReGameDLL", u"только cs16-client", u"только Xash3D"};
    const auto i = size_t(origin);
    return i < std::size(marks) ? marks[i].toString() : QString();
}

QString originMessage(NameOrigin origin, QStringView word) {
    switch (origin) {
    case NameOrigin::Game15:
        return QString();
    case NameOrigin::Steam16:
        return u"«%1» появилась в версиях Steam (CS 1.6): в CS 1.5 её нет"_s.arg(word);
    case NameOrigin::SteamLater:
        return u"«%1» появилась в поздних обновлениях Steam: в CS 1.5 её нет"_s.arg(word);
    case NameOrigin::ReHlds:
        return u"«%1» есть только в ReHLDS (пересборке сервера), в игре её нет"_s.arg(word);
    case NameOrigin::ReGameDll:
        return u"«%1» есть только в ReGameDLL (пересборке игровой библиотеки), в игре её нет"_s.arg(
            word);
    case NameOrigin::CsClient:
        return u"«%1» есть только в cs16-client (клиенте CS 1.6 для Xash3D), в игре её нет"_s.arg(
            word);
    case NameOrigin::Xash:
        return u"«%1» есть только в Xash3D, в игре её нет"_s.arg(word);
    }
    return QString();
}
