// What keeping versions adds to a save: the same bytes written over a config through the write
// routine that keeps versions (the bytes replaced checked against the store, the new version
// written beside the file and synced with it, the store's limits kept), against the save alone
// (textfile::writeBytes) and against the floor (QSaveFile, write, fdatasync, commit). Before
// each round one byte of the text changes, as between a player's saves, so every save keeps a
// new version and the store fills to its limit and stays there. The sides alternate call by
// call (which goes first alternates too); medians, quartiles, the ratios and the machine's load
// are printed, in wall-clock and CPU time.
// Twice: with the disk let settle before every call (syncfs, untimed), as a player's saves come
// seconds apart and every write of the one before is on the disk by the next; and back to back,
// where each call also waits for the disk work the one before left (the version of the new
// bytes, written without waiting, is made sure of before the next save replaces the file).
// Usage: version_store_bench ROUNDS CONFIG...
#include "bench_stats.h"
#include "floor_save.h"
#include "platform/text_file.h"
#include "platform/version_store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <functional>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: version_store_bench ROUNDS CONFIG...\n");
        return 2;
    }
    const int rounds = args[0].toInt();
    printLoad("before: ");
    for (const bool settled : {true, false})
    for (const QString& config : args.mid(1)) {
        const textfile::BytesResult read = textfile::readBytes(config);
        if (!read.ok())
            qFatal("cannot read the config");
        QByteArray bytes = read.bytes;
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/version_store_bench-XXXXXX"));
        const VersionStore store(dir.filePath(QStringLiteral("history")));
        const QString ours = dir.filePath(QStringLiteral("ours/config.cfg"));
        const QString alone = dir.filePath(QStringLiteral("alone/config.cfg"));
        const QString floor = dir.filePath(QStringLiteral("floor/config.cfg"));
        for (const QString& p : {ours, alone, floor}) {
            QDir().mkpath(QFileInfo(p).absolutePath());
            if (!textfile::writeBytes(p, bytes).ok)
                qFatal("cannot write the config");
        }
        Timed kept, saved, floored;
        const int dirFd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_CLOEXEC);
        auto settle = [&] {
            if (settled)
                ::syncfs(dirFd);
        };
        kept.before = saved.before = floored.before = settle;
        // A few rounds first, so the store is past its first version of the file.
        for (int i = -3; i < rounds; ++i) {
            // One character of a line changes, as a player's edit between two saves.
            const qsizetype at = qsizetype((quint64(i + 3) * 2654435761u) % quint64(bytes.size()));
            if (bytes[at] != '\r' && bytes[at] != '\n')
                bytes[at] = bytes[at] == 'a' ? 'b' : 'a';
            auto keep = [&] {
                if (!writeKeepingVersions(store, ours, bytes, VersionSource::Save).ok)
                    qFatal("the save with versions failed");
            };
            auto save = [&] {
                if (!textfile::writeBytes(alone, bytes).ok)
                    qFatal("the save failed");
            };
            auto floorStep = [&] { floorSave(floor, bytes); };
            if (i < 0) {
                keep();
                save();
                floorStep();
                continue;
            }
            // Each order of the three in turn.
            switch (i % 3) {
            case 0:
                kept.run(keep), saved.run(save), floored.run(floorStep);
                break;
            case 1:
                saved.run(save), floored.run(floorStep), kept.run(keep);
                break;
            default:
                floored.run(floorStep), kept.run(keep), saved.run(save);
                break;
            }
        }
        const qint64 size = bytes.size();
        ::close(dirFd);
        std::printf("%s, %s, %lld bytes, %d rounds, %lld versions kept of the file\n",
                    settled ? "the disk settled before each save" : "back to back",
                    qPrintable(QFileInfo(config).fileName()), static_cast<long long>(size), rounds,
                    static_cast<long long>(store.versions(ours).size()));
        printRatioRow("save with versions / save alone", kept.wall, saved.wall, "ms", 1.5);
        printRatioRow("  cpu", kept.cpu, saved.cpu, "ms");
        printRatioRow("save with versions / QSaveFile floor", kept.wall, floored.wall, "ms");
        printRatioRow("  cpu", kept.cpu, floored.cpu, "ms");
        // The ratio of each pair, in the order they ran.
        std::vector<double> pairs;
        for (size_t k = 0; k < kept.wall.size(); ++k)
            pairs.push_back(kept.wall[k] / saved.wall[k]);
        const Quartiles q = quartilesOf(pairs);
        std::printf("per-pair ratio to the save alone: median %.2fx (quartiles %.2f-%.2f)\n",
                    q.median, q.q1, q.q3);
    }
    printLoad("after: ");
    return 0;
}
