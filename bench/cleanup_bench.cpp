// The cleanup on a 5 MB config against GNU sed doing the same passes on the same file, in the
// same run. Prints both times and their ratio, and checks that both produce the same bytes.
#include "platform/text_file.h"
#include "shell/cleanup.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Files {
    QString input;
    QString ours;
    QString sedOut;
    QString sedScript;
};
Files g_files;

// A config as people write them when they do not care: double blanks, trailing ";" and " ;",
// "; " inside command lists, tabs and leading blanks that must survive.
QByteArray makeConfig(qsizetype size) {
    const char* shapes[] = {
        "bind  \"%1\"  \"+attack;\" ;\r\n",
        "alias  buy%1  \"buy;  menuselect 4;  menuselect %2;  ;\"\r\n",
        "cl_bob%1  \"0.0%2\" ;  \r\n",
        "setinfo  \"_vgui%1\"  \"%2\";;\r\n",
        "// comment  number  %1 ;\r\n",
        "\tcl_updaterate  \"1%2\"  \r\n",
        " echo \"done %1 \"\r\n",
        "alias a%1 \"wait; ; wait;;\" ; ;\r\n",
        "\r\n",
    };
    QRandomGenerator random(15);
    QByteArray out;
    out.reserve(size + 100);
    while (out.size() < size) {
        // Not QString::arg: most shapes have no %2, and arg() warns about each of those.
        QString line = QString::fromLatin1(shapes[random.bounded(int(std::size(shapes)))]);
        line.replace(u"%1"_s, QString::number(random.bounded(1000)));
        line.replace(u"%2"_s, QString::number(random.bounded(10)));
        out += line.toLatin1();
    }
    return out;
}

// One sed loop per pass, in the same order: "s///g" repeated until nothing changes. These
// passes only delete characters next to a fixed neighbour, so the end result does not depend
// on the order of replacements, and a global replacement per round reaches the same fixed
// point as one replacement per search from the top (which in sed would be quadratic). The
// run checks that both outputs are byte-identical.
QByteArray sedScript() {
    auto forSed = [](QStringView s, bool replacement) {
        QByteArray out;
        for (QChar c : s) {
            if (c == u'\n')
                out += "\\r\\n";
            else if (c == u'\\' || c == u'/' || (replacement && c == u'&') ||
                     (!replacement && QStringView(u".*[]^$").contains(c)))
                out += '\\' + c.toLatin1();
            else
                out += c.toLatin1();
        }
        return out;
    };
    QByteArray script;
    int label = 0;
    for (const ReplacePass& pass : cleanupPasses()) {
        const QByteArray name = "p" + QByteArray::number(++label);
        script += ":" + name + "\ns/" + forSed(pass.pattern, false) + "/" +
                  forSed(pass.replacement, true) + "/g\nt" + name + "\n";
    }
    return script;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void BM_TesseraCleanupFileToFile(benchmark::State& state) {
    for (auto _ : state) {
        const textfile::ReadResult read = textfile::readText(g_files.input);
        const QString cleaned = cleanupText(read.text);
        if (!textfile::writeText(g_files.ours, cleaned).ok)
            state.SkipWithError("write failed");
    }
}

void BM_TesseraCleanupInMemory(benchmark::State& state) {
    const QString text = textfile::readText(g_files.input).text;
    for (auto _ : state) {
        QString cleaned = cleanupText(text);
        benchmark::DoNotOptimize(cleaned);
    }
}

void BM_GnuSedFileToFile(benchmark::State& state) {
    for (auto _ : state) {
        QProcess sed;
        sed.setStandardOutputFile(g_files.sedOut);
        sed.start(u"sed"_s, {u"-z"_s, u"-f"_s, g_files.sedScript, g_files.input});
        if (!sed.waitForFinished(-1) || sed.exitCode() != 0)
            state.SkipWithError("sed failed");
    }
}

BENCHMARK(BM_TesseraCleanupFileToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_TesseraCleanupInMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_GnuSedFileToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The console output plus each benchmark's time per iteration, for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    g_files = {dir.filePath(u"big.cfg"_s), dir.filePath(u"ours.cfg"_s), dir.filePath(u"sed.cfg"_s),
               dir.filePath(u"cleanup.sed"_s)};
    const QByteArray config = makeConfig(5 * 1024 * 1024);
    write(g_files.input, config);
    write(g_files.sedScript, sedScript());
    std::printf("input: %lld bytes of config\n", static_cast<long long>(config.size()));

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    QFile ours(g_files.ours), sed(g_files.sedOut);
    const bool opened = ours.open(QIODevice::ReadOnly) && sed.open(QIODevice::ReadOnly);
    const QByteArray a = opened ? ours.readAll() : QByteArray();
    const QByteArray b = opened ? sed.readAll() : QByteArray();
    const bool same = opened && !a.isEmpty() && a == b;
    std::printf("output: %lld bytes, same as sed's: %s\n", static_cast<long long>(a.size()),
                same ? "yes" : "NO");

    const auto& t = reporter.times;
    const auto file = t.find("BM_TesseraCleanupFileToFile");
    const auto memory = t.find("BM_TesseraCleanupInMemory");
    const auto base = t.find("BM_GnuSedFileToFile");
    if (file != t.end() && memory != t.end() && base != t.end()) {
        std::printf("tessera file to file %.1f ms, in memory %.1f ms; sed %.1f ms\n", file->second,
                    memory->second, base->second);
        std::printf("ratio tessera/sed: file to file %.3f, in memory %.3f (below 1: faster)\n",
                    file->second / base->second, memory->second / base->second);
    }
    return same ? 0 : 1;
}
