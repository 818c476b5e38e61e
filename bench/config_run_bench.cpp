// The run of a player's config set at the game's start (language/config_run.h) against reading
// the same files once: each read from disk, its line ends counted and its commands read by the
// program's reader, valve.rc with them (the run reads it too). Sets of three files (config.cfg,
// autoexec.cfg and userconfig.cfg, exec'd
// from config.cfg's end) made by ../shared/tools/gen_cfg.py, 20 KB and 1 MB in all; the two
// sides alternate call by call.
// usage: config_run_bench GEN_CFG_PY [ROUNDS [KB...]]
#include "bench_stats.h"
#include "language/config_commands.h"
#include "language/config_run.h"
#include "language/vocabulary.h"
#include "platform/memory_reuse.h"
#include "platform/program_home.h"
#include "platform/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

bool generate(const QString& script, const QString& path, qint64 bytes, int seed) {
    return QProcess::execute(u"python3"_s, {script, path, QString::number(bytes),
                                            QString::number(seed)}) == 0;
}

// The anchor: each file read, its line ends counted, its commands read once.
qsizetype readOnce(const QStringList& files) {
    qsizetype seen = 0;
    for (const QString& path : files) {
        const textfile::ReadResult r = textfile::readEditableText(path);
        seen += r.text.count(u'\n');
        CommandScanner scanner(r.text);
        CommandSpan command;
        while (scanner.next(command))
            seen += command.wordCount;
    }
    return seen;
}

} // namespace

int main(int argc, char** argv) {
    keepFreedMemoryForReuse(); // as the program does first
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: config_run_bench GEN_CFG_PY [ROUNDS [KB...]]\n");
        return 2;
    }
    const QString script = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 60;
    const Vocabulary words =
        Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));
    printLoad("before: ");
    QList<qint64> sizes = {20 * 1024, 1024 * 1024};
    if (argc > 3) {
        sizes.clear();
        for (int i = 3; i < argc; ++i)
            sizes.append(qint64(std::atoi(argv[i])) * 1024);
    }
    for (const qint64 total : sizes) {
        QTemporaryDir dir;
        const QString game = dir.path() + u"/Half-Life/cstrike"_s;
        QDir().mkpath(game);
        QDir().mkpath(dir.path() + u"/Half-Life/valve"_s);
        QFile rc(dir.path() + u"/Half-Life/valve/valve.rc"_s);
        if (!rc.open(QIODevice::WriteOnly))
            return 1;
        rc.write("exec autoexec.cfg\r\nstuffcmds\r\n");
        rc.close();
        const QStringList files = {game + u"/config.cfg"_s, game + u"/autoexec.cfg"_s,
                                   game + u"/userconfig.cfg"_s};
        const qint64 shares[] = {total / 2, total / 3, total - total / 2 - total / 3};
        for (int i = 0; i < 3; ++i)
            if (!generate(script, files.at(i), shares[i], 15 + i))
                return 1;
        const QStringList setFiles = QStringList(files) << rc.fileName();
        QFile config(files.at(0));
        if (!config.open(QIODevice::Append))
            return 1;
        config.write("exec userconfig.cfg\r\n");
        config.close();

        configrun::Options options;
        options.gameDir = game;
        std::vector<double> ours, anchor;
        qsizetype sink = 0;
        alternate(
            rounds,
            [&](int) {
                ours.push_back(timedWithEvents([&] {
                    sink += configrun::run(options, words).finals.size();
                }));
            },
            [&](int) {
                anchor.push_back(timedWithEvents([&] { sink += readOnce(setFiles); }));
            });
        const QByteArray name =
            u"set run, %1 KB in 3 files"_s.arg(total / 1024).toUtf8();
        printRatioRow(name.constData(), ours, anchor, "ms", 3.0);
        if (sink == 0)
            std::printf("(nothing read)\n");
    }
    printLoad("after: ");
    return 0;
}
