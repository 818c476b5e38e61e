// Notes for the settings another file of the set decides.
#include "wizard/later_settings.h"

using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

QHash<QString, QString> laterSettingNotes(const configrun::Result& run) {
    QHash<QString, QString> notes;
    for (const configrun::DecidedLater& d : configrun::decidedAfterWatched(run)) {
        const configrun::Final& f = *d.final;
        if (f.kind != Kind::Variable && f.kind != Kind::UserInfo)
            continue;
        notes.insert(f.name, u"в %1 задано %2: в игре будет %2"_s.arg(run.placeText(f.place),
                                                                        f.value));
    }
    return notes;
}
