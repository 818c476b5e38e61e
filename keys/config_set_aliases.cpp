// Reading the aliases of the config set for the keyboard map.
#include "keys/config_set_aliases.h"

#include "language/config_check.h"
#include "language/config_set.h"

#include <QFileInfo>
#include <QSet>

void collectOuterAliases(QStringView text, const QString& file, OuterAliases& into) {
    BindingLines lines;
    lines.setText(text);
    QSet<QString> definedAtTop;
    for (int i = 0; i < lines.lineCount(); ++i) {
        for (const BindingFact& f : lines.factsAt(i)) {
            if (f.kind != BindingFact::Kind::Alias)
                continue;
            if (!f.nested) {
                into.insert(f.key, {f.body, file});
                definedAtTop.insert(f.key);
            } else if (!definedAtTop.contains(f.key) && !into.contains(f.key)) {
                into.insert(f.key, {f.body, file});
            }
        }
    }
}

OuterAliases configSetAliases(const QString& gameDir, const QString& documentPath) {
    OuterAliases aliases;
    const QString document = QFileInfo(documentPath).canonicalFilePath();
    QStringList files = configset::startConfigs(gameDir);
    // The document itself is read for what it execs, when it is no file the game runs anyway.
    if (!document.isEmpty())
        files.append(document);
    configset::walk(gameDir, files,
                    [&](const QString& path, const QString& text, const ParsedConfig&) {
                        if (path != document)
                            collectOuterAliases(text, QFileInfo(path).fileName(), aliases);
                    });
    return aliases;
}
