// The radio table as data.
#include "wizard/radio_tables.h"

#include "platform/program_paths.h"

#include <QFileInfo>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace radio {

namespace {

const std::array<Message, 24>& table() {
    static const std::array<Message, 24> entries{{
        {},
        {u"Cover me"_s, u"radio1;ww;menuselect 1;"_s, u"ct_coverme"_s},
        {u"You take the point"_s, u"radio1;ww;menuselect 2;"_s, u"takepoint"_s},
        {u"Hold this position"_s, u"radio1;ww;menuselect 3;"_s, u"position"_s},
        {u"Regroup team"_s, u"radio1;ww;menuselect 4;"_s, u"regroup"_s},
        {u"Follow me"_s, u"radio1;ww;menuselect 5;"_s, u"followme"_s},
        {u"Taking fire, need assistance"_s, u"radio1;ww;menuselect 6;"_s, u"fireassis"_s},
        {},
        {u"Go, go, go!"_s, u"radio2;ww;menuselect 1;"_s, u"com_go"_s},
        {u"Fall back"_s, u"radio2;ww;menuselect 2;"_s, u"fallback"_s},
        {u"Stick together team"_s, u"radio2;ww;menuselect 3;"_s, u"sticktog"_s},
        {u"Get in position"_s, u"radio2;ww;menuselect 4;"_s, u"com_getinpos"_s},
        {u"Storm the front"_s, u"radio2;ww;menuselect 5;"_s, u"stormfront"_s},
        {u"Report in"_s, u"radio2;ww;menuselect 6;"_s, u"com_reportin"_s},
        {},
        {u"Roger that/Affirmative"_s, u"radio3;ww;menuselect 1;"_s, u"roger"_s},
        {u"Enemy spotted"_s, u"radio3;ww;menuselect 2;"_s, u"ct_enemys"_s},
        {u"Need backup"_s, u"radio3;ww;menuselect 3;"_s, u"ct_backup"_s},
        {u"Sector clear"_s, u"radio3;ww;menuselect 4;"_s, u"clear"_s},
        {u"I'am in position"_s, u"radio3;ww;menuselect 5;"_s, u"ct_inpos"_s},
        {u"Reporting in"_s, u"radio3;ww;menuselect 6;"_s, u"ct_reportingin"_s},
        {u"She's gonna blow!"_s, u"radio3;ww;menuselect 7;"_s, u"blow"_s},
        {u"Negative"_s, u"radio3;ww;menuselect 8;"_s, u"negative"_s},
        {u"Enemy down"_s, u"radio3;ww;menuselect 9;"_s, u"enemydown"_s},
    }};
    return entries;
}

} // namespace

std::span<const Message> messages() {
    return table();
}

QString soundFile(const QString& wizardFolder, int entry) {
    if (entry < 0 || entry >= int(table().size()) || table()[entry].sendsNothing() ||
        wizardFolder.isEmpty())
        return {};
    const QString path =
        paths::resolve(wizardFolder, u"sound\\radio\\"_s + table()[entry].soundName + u".wav"_s);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace radio
