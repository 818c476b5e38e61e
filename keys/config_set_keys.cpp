// The rest of the config set, for the keyboard map.
#include "keys/config_set_keys.h"


using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

ConfigSetKeys configSetKeys(const configrun::Result& run) {
    ConfigSetKeys set;
    const int document = run.watched;
    for (const configrun::Final& f : run.finals) {
        if (document >= 0 && f.place.file == document)
            continue; // the document's own lines say it
        const configrun::Place* before =
            document >= 0 ? run.placeBeforeWatched(f.kind, f.name) : nullptr;
        const bool setBefore = before && *before == f.place;
        if (f.kind == Kind::Alias) {
            set.aliases.insert(f.name, {f.value, run.fileOf(f.place), document >= 0 && !setBefore});
        } else if (f.kind == Kind::Key && document >= 0) {
            set.binds.insert(f.name, {f.value, f.cleared, run.placeText(f.place), setBefore});
        }
    }
    return set;
}

namespace {

// A player's config is a few kilobytes; past this the document's own lines are the map's, and
// the set needs of it only what it execs.
constexpr qsizetype kRunWholeChars = 1024 * 1024;

QString execLinesOf(const QString& text) {
    QString execs;
    CommandScanner scanner(text);
    CommandSpan command;
    while (scanner.next(command))
        if (command.wordCount == 2 && sameName(command.word(text, 0), u"exec"))
            execs += u"exec "_s + command.word(text, 1).toString() + u'\n';
    return execs;
}

} // namespace

configrun::Result runForDocument(const QString& gameDir, const QString& documentPath,
                                 const QString& documentText, const Vocabulary& words) {
    return configrun::runWithStandIn(
        gameDir, documentPath,
        documentText.size() > kRunWholeChars ? execLinesOf(documentText) : documentText,
        console::Bytes::Single, words);
}
