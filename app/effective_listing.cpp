// The final state of the config set, printed.
#include "app/effective_listing.h"

#include "language/config_commands.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

namespace {

QString kindName(Kind kind) {
    switch (kind) {
    case Kind::Variable:
        return u"variable"_s;
    case Kind::Key:
        return u"key"_s;
    case Kind::Alias:
        return u"alias"_s;
    case Kind::UserInfo:
        return u"userinfo"_s;
    }
    return {};
}

QJsonObject placeObject(const configrun::Result& r, const configrun::Place& p) {
    return {{u"file"_s, p.file < 0 ? QString() : r.fileOf(p)}, {u"line"_s, p.file < 0 ? 0 : p.line + 1}};
}

} // namespace

configrun::Options effectiveOptions(const QString& gameDir, const QStringList& files,
                                    QTextStream& err, bool& ok) {
    configrun::Options options;
    options.gameDir = gameDir;
    ok = true;
    for (const QString& file : files) {
        const textfile::ReadResult read =
            QFileInfo(file).isFile() ? textfile::readEditableText(file) : textfile::ReadResult{};
        if (!QFileInfo(file).isFile() || !read.ok()) {
            err << u"tessera: %1: %2"_s.arg(QDir::toNativeSeparators(file),
                                            !QFileInfo(file).isFile()
                                                ? u"файл не найден"_s
                                                : (read.reason.isEmpty() ? u"не удалось прочитать"_s
                                                                         : read.reason))
                << '\n';
            ok = false;
            continue;
        }
        options.standIns.insert(configrun::standInName(gameDir, file),
                                {read.text,
                                 read.form.encoding == textfile::Encoding::Utf8
                                     ? console::Bytes::Utf8
                                     : console::Bytes::Single,
                                 file});
    }
    return options;
}

bool listEffective(const configrun::Result& r, bool json, QTextStream& out) {
    for (const configrun::Final& f : r.finals) {
        if (json) {
            QJsonArray overrides;
            for (const configrun::Place& p : f.overridden)
                overrides.append(placeObject(r, p));
            QJsonObject line = placeObject(r, f.place);
            line.insert(u"kind"_s, kindName(f.kind));
            line.insert(u"name"_s, f.name);
            line.insert(u"value"_s, f.value);
            if (f.cleared)
                line.insert(u"cleared"_s, true);
            line.insert(u"overrides"_s, overrides);
            out << QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)) << '\n';
            continue;
        }
        QString shown = u"%1: %2 %3 "_s.arg(f.place.file < 0 ? u"(движок)"_s : r.placeText(f.place),
                                            kindName(f.kind), f.name);
        shown += f.cleared ? u"(снята)"_s : commandValueText(f.value);
        if (!f.overridden.isEmpty()) {
            QStringList places;
            for (const configrun::Place& p : f.overridden)
                places.append(r.placeText(p));
            shown += u" [перекрывает %1]"_s.arg(places.join(u", "_s));
        }
        out << shown << '\n';
    }
    if (!json) {
        out << u"note: порядок файлов при запуске: %1"_s.arg([&] {
            QStringList names;
            for (const configrun::ChainFile& c : r.chain)
                names.append(c.shown + (c.missing ? u" (нет)"_s : QString()));
            return names.join(u" → "_s);
        }()) << '\n';
    }
    for (const configrun::Note& n : r.notes) {
        if (!json)
            out << u"%1: warning: %2"_s.arg(r.placeText(n.place), n.text) << '\n';
    }
    return !r.notes.isEmpty();
}
