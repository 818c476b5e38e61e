// The wizard reading a config into its pages and applying them back with one setting changed,
// what a player mostly does, on the shared generator's configs of 20 KB, 1 and 16 MB (seeds 15
// and 16), against one QString::indexOf scan of the same text for a string it does not hold and,
// beside it, one pass of the program's own reader (every command found); ours and the anchors
// alternate call by call: medians, quartiles, the median of the per-call ratios with its
// quartiles, CPU time beside wall time, and the machine's load. Then, on the bench's own configs
// of 1 to 16 MB (padding lines with every setting spread through them), the read and apply
// unchanged and with every setting changed, against the same scan: the ratio stays flat as the
// text grows when nothing grows faster than the text.
#include "bench_stats.h"
#include "gen_configs.h"
#include "language/config_commands.h"
#include "platform/memory_reuse.h"
#include "setting_change.h"
#include "state/shared_state.h"
#include "wizard/apply_settings.h"
#include "wizard/pivo.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

// The command texts of the key pages' action buttons.
QStringList actionCommands() {
    QStringList commands = {u"+forward"_s, u"+moveleft"_s, u"+moveright"_s, u"+back"_s,
                            u"+attack"_s,  u"+attack2"_s,  u"+jump"_s,      u"+duck"_s,
                            u"+moveup"_s,  u"+movedown"_s, u"+left"_s,      u"+right"_s};
    for (int slot = 1; slot <= 10; ++slot)
        commands.append(u"slot"_s + QString::number(slot));
    commands << u"invprev"_s << u"invnext"_s << u"lastinv"_s << u"drop"_s << u"toggleconsole"_s
             << u"+use"_s << u"impulse 100"_s << u"pause"_s << u"nightvision"_s << u"impulse 201"_s
             << u"+showscores"_s << u"buy"_s << u"buyequip"_s << u"buyammo1"_s << u"buyammo2"_s
             << u"quit"_s << u"cancelselect"_s << u"+reload"_s << u"chooseteam"_s << u"+speed"_s
             << u"radio1"_s << u"radio2"_s << u"radio3"_s << u"messagemode2"_s << u"messagemode"_s;
    for (QString& command : commands)
        command = u'"' + command + u'"';
    return commands;
}

// One line of every setting the wizard knows.
const QStringList& settingLines() {
    static const QStringList lines = {
        u"name \"Player\""_s,
        u"cl_righthand \"1\""_s,
        u"setinfo \"_ah\" \"0\""_s,
        u"con_color \"200 100 50\""_s,
        u"_vgui_menus \"1\""_s,
        u"r_drawviewmodel \"1\""_s,
        u"dm \"0\""_s,
        u"hud_centerid \"1\""_s,
        u"drawradar"_s,
        u"gl_spriteblend \"1\""_s,
        u"fastsprites \"1\""_s,
        u"max_smokepuffs \"120\""_s,
        u"max_shells \"300\""_s,
        u"r_decals \"300\""_s,
        u"net_graph \"1\""_s,
        u"net_graphpos \"2\""_s,
        u"gl_monolights \"0\""_s,
        u"cl_observercrosshair \"1\""_s,
        u"ghosts \"0\""_s,
        u"adjust_crosshair"_s,
        u"cl_bob \"0.01\""_s,
        u"cl_bobup \"0.5\""_s,
        u"cl_bobcycle \"0.8\""_s,
        u"hud_fastswitch \"1\""_s,
        u"gl_wateramp \"0\""_s,
        u"hud_saytext \"1\""_s,
        u"m_filter \"0\""_s,
        u"cl_dynamiccrosshair \"1\""_s,
        u"sensitivity \"3.2\""_s,
        u"zoom_sensitivity_ratio \"1.2\""_s,
        u"scr_conspeed \"600\""_s,
        u"mp_roundtime \"3\""_s,
        u"mp_c4timer \"35\""_s,
        u"mp_freezetime \"6\""_s,
        u"mp_buytime \"0.25\""_s,
        u"mp_timelimit \"25\""_s,
        u"mp_maxrounds \"0\""_s,
        u"sv_restartround \"1\""_s,
        u"mp_winlimit \"0\""_s,
        u"cl_corpsestay \"600\""_s,
        u"hud_saytext_time \"5\""_s,
        u"hud_deathnotice_time \"6\""_s,
        u"mp_friendlyfire \"1\""_s,
        u"mp_autokick \"1\""_s,
        u"mp_autoteambalance \"0\""_s,
        u"mp_limitteams \"2\""_s,
        u"mp_hostagepenalty \"5\""_s,
        u"mp_forcechasecam \"2\""_s,
        u"mp_fadetoblack \"0\""_s,
        u"mp_flashlight \"1\""_s,
        u"mp_footsteps \"1\""_s,
        u"mp_startmoney \"800\""_s,
        u"rate \"9000\""_s,
        u"bind \"w\" \"+forward\""_s,
        u"bind \"MOUSE1\" \"+attack\""_s,
        u"unbindall"_s,
    };
    return lines;
}

// Padding as configs grow it: bindings of keys the wizard knows and does not, aliases,
// comments, and variables whose names end like a setting's (cl_updaterate, hud_name).
QString makeConfig(qsizetype size) {
    const QString shapes[] = {
        u"bind \"KEY%1\" \"say %2\""_s,
        u"alias \"Kaz-x%1\" \"buy;menuselect %2\""_s,
        u"// comment %1 about rate \"%2\" and name \"x\""_s,
        u"cl_updaterate \"%1\""_s,
        u"hud_name \"n%1\""_s,
        u"echo \"line %1 of %2\""_s,
        u"bind \"%2\" \"+jump;+duck%1\""_s,
    };
    QRandomGenerator random(14);
    QStringList lines;
    qsizetype total = 0;
    while (total < size) {
        const QString& shape = shapes[random.bounded(int(std::size(shapes)))];
        lines.append(QString(shape)
                         .replace(u"%1"_s, QString::number(random.bounded(100000)))
                         .replace(u"%2"_s, QString::number(random.bounded(10))));
        total += lines.last().size() + 2;
    }
    // Every setting somewhere: spread evenly from the top to the bottom.
    const QStringList& settings = settingLines();
    for (qsizetype i = 0; i < settings.size(); ++i)
        lines.insert((lines.size() * (i + 1)) / (settings.size() + 1), settings[i]);
    return lines.join(u'\n') + u'\n';
}

std::map<int, QString> g_configs;
const QStringList g_commands = actionCommands();

// The pages with every setting changed from what was read.
void changeEverySetting(WizardPageValues& values) {
    for (const WizardSetting& setting : wizardSettings())
        changeSetting(setting, values);
}

// Reads a config as the wizard's first page does and applies the settings pages: as read (the
// apply writes nothing), or with every setting changed (each row is written).
void readAndApply(benchmark::State& state, bool changeAll) {
    const QString& config = g_configs[int(state.range(0))];
    SharedState shared;
    for (auto _ : state) {
        WizardWorkingSet ws(shared);
        ws.chosenFileRead(config);
        clearPageValuesForNewFile(ws.values);
        pivoRead(ws, g_commands);
        if (changeAll)
            changeEverySetting(ws.values);
        applySettings(ws);
        benchmark::DoNotOptimize(ws.mem1.content().size());
        if (!changeAll && ws.mem1.content().size() != config.size())
            state.SkipWithError("applying changed an unchanged config");
    }
}

void BM_WizardReadAndApply(benchmark::State& state) {
    readAndApply(state, false);
}

void BM_WizardReadAndApplyAll(benchmark::State& state) {
    readAndApply(state, true);
}

void BM_IndexOfAbsentString(benchmark::State& state) {
    const QString& config = g_configs[int(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(config.indexOf(u"mp_not_there \""_s));
}

BENCHMARK(BM_WizardReadAndApply)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WizardReadAndApplyAll)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexOfAbsentString)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(8)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.run_name.function_name][std::stoi(run.run_name.args)] =
                    run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, std::map<int, double>> times;
};

} // namespace

int main(int argc, char** argv) {
    keepFreedMemoryForReuse(); // as the program's start does
    QCoreApplication app(argc, argv);
    for (int megabytes : {1, 2, 4, 8, 16})
        g_configs[megabytes] = makeConfig(qsizetype(megabytes) * 1024 * 1024);

    // Reading and applying an unchanged config must give it back unchanged.
    {
        SharedState shared;
        WizardWorkingSet ws(shared);
        ws.chosenFileRead(g_configs[1]);
        clearPageValuesForNewFile(ws.values);
        pivoRead(ws, g_commands);
        applySettings(ws);
        const QStringList before = g_configs[1].split(u'\n');
        const QStringList after = ws.mem1.content().split(u'\n');
        for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i) {
            if (before.value(i) != after.value(i)) {
                std::printf("line %lld changed: %s -> %s\n", static_cast<long long>(i),
                            qPrintable(before.value(i)), qPrintable(after.value(i)));
                return 1;
            }
        }
    }

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    printLoad("\nbefore: ");
    // One setting changed: the player's name, on the first settings page.
    QTemporaryDir dir;
    for (const int seed : {15, 16}) {
        for (const qint64 bytes : {qint64(20 * 1024), megabytesOf(1), megabytesOf(16)}) {
            const QString config = generatedText(dir.path(), bytes, seed);
            Timed ours, scan, read;
            qsizetype sink = 0;
            const int calls = bytes < 1024 * 1024 ? 201 : bytes < 4096 * 1024 ? 41 : 11;
            alternate(
                calls,
                [&](int) {
                    ours.run([&] {
                        SharedState shared;
                        WizardWorkingSet ws(shared);
                        ws.chosenFileRead(config);
                        clearPageValuesForNewFile(ws.values);
                        pivoRead(ws, g_commands);
                        changeSetting(wizardSetting(SettingId::Name), ws.values);
                        applySettings(ws);
                        sink += ws.mem1.content().size();
                    });
                },
                [&](int) {
                    scan.run([&] { sink += config.indexOf(u"mp_not_there \""_s); });
                    read.run([&] {
                        forEachCommandFound(config, [&](int, int, QStringView, int) { ++sink; });
                    });
                });
            const QByteArray name = "read + apply one setting, " + sizeName(bytes) + ", seed " +
                                    QByteArray::number(seed);
            printTimedRows(name.constData(), ours, scan, "ms", 5.0);
            printTimedRows("  against one pass of the reader", ours, read, "ms");
            if (sink == 0)
                std::printf("(nothing read)\n");
        }
    }
    printLoad("after:  ");

    std::printf("\nthe bench's own configs, every setting once among padding lines:\n");
    const auto& scan = reporter.times["BM_IndexOfAbsentString"];
    for (const char* name : {"BM_WizardReadAndApply", "BM_WizardReadAndApplyAll"}) {
        std::printf("\n%s\n  MB  read+apply ms  one scan ms  ratio (scans)  read+apply ms per MB\n",
                    name);
        for (const auto& [megabytes, ms] : reporter.times[name]) {
            const auto base = scan.find(megabytes);
            if (base == scan.end())
                continue;
            std::printf("%4d  %12.2f  %11.3f  %13.1f  %20.2f\n", megabytes, ms, base->second,
                        ms / base->second, ms / megabytes);
        }
    }
    return 0;
}
