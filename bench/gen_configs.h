// The configs every benchmark runs on: made by the shared generator (gen_cfg.py in
// ../shared/tools beside the repository, or $TESSERA_GEN_CFG), a mix of binds, aliases under many
// names, variables, setinfo, Russian comments and blanks, Windows-1251 with CR LF. The same size
// and seed give the same bytes in every run.
#pragma once

#include "platform/text_file.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <algorithm>

// Bytes of a config of `megabytes` MB the editor still opens (16 MB is its limit).
inline qint64 megabytesOf(int megabytes) {
    return std::min<qint64>(qint64(megabytes) * 1024 * 1024, textfile::kMaxEditableBytes);
}

inline QString generatorScript() {
    const QString given = qEnvironmentVariable("TESSERA_GEN_CFG");
    if (!given.isEmpty())
        return given;
#ifdef TESSERA_SOURCE_DIR
    return QDir::cleanPath(QStringLiteral(TESSERA_SOURCE_DIR "/../shared/tools/gen_cfg.py"));
#else
    return QStringLiteral("../shared/tools/gen_cfg.py");
#endif
}

// Writes the generator's config of `bytes` bytes into `folder` and returns its path.
inline QString generatedConfig(const QString& folder, qint64 bytes, int seed = 15) {
    const QString path = QStringLiteral("%1/gen_%2_%3.cfg").arg(folder).arg(bytes).arg(seed);
    QProcess gen;
    gen.start(QStringLiteral("python3"),
              {generatorScript(), path, QString::number(bytes), QString::number(seed)});
    if (!gen.waitForFinished(120000) || gen.exitCode() != 0)
        qFatal("the config generator %s failed", qPrintable(generatorScript()));
    return path;
}

// The same config's text as the program holds it ("\n" line breaks).
inline QString generatedText(const QString& folder, qint64 bytes, int seed = 15) {
    const textfile::ReadResult read = textfile::readText(generatedConfig(folder, bytes, seed));
    if (!read.ok())
        qFatal("cannot read the generated config");
    return read.text;
}

// "20 KB", "1 MB", "16 MB".
inline QByteArray sizeName(qint64 bytes) {
    return bytes < 1024 * 1024 ? QByteArray::number(bytes / 1024) + " KB"
                               : QByteArray::number((bytes + 512 * 1024) / (1024 * 1024)) + " MB";
}
