// Saving a large config (the shared generator's) through the main window against the physical
// floor: the same bytes written to a QSaveFile and synced with fdatasync, which no save can beat.
// Before each of our saves the document is edited (not timed), as a user's is between saves. Ours
// and the floor alternate in every round (which goes first alternates too) and events are processed
// after each step on both sides. Prints, per size, the medians, the spread (lowest and highest
// quarter) and the ratio, and ours per megabyte to show that the cost grows linearly; then the same
// in CPU time (every thread's), and the CPU time of walking the document's text alone and of
// walking and encoding it whole on one thread (into chunks that go nowhere), which a save pays when
// it has no bytes of the lines kept. Our save lets go of the file it replaced on a thread of its
// own; the floor pays for that inside its rename, so ours is timed until that is over too (its
// own wall-clock share is shown apart). "first" is the first save after opening, timed once, and
// beside it the closing of the file it replaced, the one opened. The
// machine's load is printed before and after. Usage: save_bench [ROUNDS [MEGABYTES [utf8]]]
// (MEGABYTES 0: every size; utf8: the config in UTF-8 with LF line breaks, its Russian letters
// two bytes each, instead of Windows-1251 and CR LF)
#include "bench_main_window.h"
#include "bench_stats.h"
#include "floor_save.h"
#include "gen_configs.h"
#include "platform/document_text_runs.h"
#include "platform/qt_shell.h"
#include "platform/qt_user_dialogs.h"
#include "platform/replaced_file_release.h"
#include "platform/text_file.h"
#include "shell/main_window.h"
#include "state/app_context.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Wall-clock and CPU milliseconds of one step (events processed after it). On a loaded machine
// the wall clock also counts the time others had the processor; the CPU time (the kernel's work
// for the process included, every thread's) does not.
struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing timingOf(const std::function<void()>& step) {
    QElapsedTimer timer;
    const double cpuStart = cpuMilliseconds();
    timer.start();
    step();
    QCoreApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, cpuMilliseconds() - cpuStart};
}

struct Spread {
    double low, median, high; // the quartiles
};

Spread spreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return {samples[n / 4], samples[n / 2], samples[(3 * n) / 4]};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(4, std::atoi(argv[1])) : 12;
    QTemporaryDir dir;
    printLoad("before: ");
    std::printf("%-6s %22s %22s %7s %9s   %6s %6s %7s %7s %7s %8s %13s\n", "size",
                "ours ms (q1-q3)", "floor ms (q1-q3)", "ratio", "ours/MB", "cpu", "floor", "ratio",
                "walk", "encode", "released", "first (rel.)");
    const bool utf8 = argc > 3 && QByteArray(argv[3]) == "utf8";
    // In UTF-8 the 16 MB text is more bytes than the editor opens.
    std::vector<int> sizes = utf8 ? std::vector<int>{1, 2, 4, 8} : std::vector<int>{1, 2, 4, 8, 16};
    if (argc > 2 && std::atoi(argv[2]) > 0)
        sizes = {std::atoi(argv[2])};
    const textfile::TextForm textForm =
        utf8 ? textfile::TextForm{textfile::Encoding::Utf8, textfile::LineBreak::Lf}
             : textfile::TextForm{};
    for (const int megabytes : sizes) {
        const QString path = dir.filePath(u"big.cfg"_s);
        // The shared generator's config, as it is or in UTF-8 with LF line breaks.
        const QString text = generatedText(dir.path(), megabytesOf(megabytes));
        if (!textfile::writeText(path, text, textForm).ok)
            qFatal("cannot write %s", qPrintable(path));

        BenchMainWindow window(dir.path(), path, {560, 450});
        MainWindow& form = *window.form;
        QCoreApplication::processEvents();
        // A document as it is saved after a change: edited in the middle, so its text is no
        // longer stored in one piece.
        QTextCursor edit(form.editor()->document());
        edit.setPosition(form.editor()->document()->characterCount() / 2);
        edit.insertText(u"// правка"_s);
        QCoreApplication::processEvents();

        // The first save after opening, once: the program has only the file's bytes as read.
        // Its own time, and then the closing of the file it replaced (the one opened).
        double firstReleased = 0;
        const double first = timingOf([&] {
                                 form.Save1Click();
                                 QElapsedTimer release;
                                 release.start();
                                 ReplacedFileRelease::waitForAll();
                                 firstReleased = double(release.nsecsElapsed()) / 1e6;
                             }).wall;
        // The floor writes what our save writes (a character more in every other round).
        const QByteArray bytes = textfile::readBytes(path).bytes;
        const QString floorPath = dir.filePath(u"floor.cfg"_s);
        floorSave(floorPath, bytes); // both files exist before the first timed round

        // Where ours goes: walking the document's runs, and the runs encoded into chunks that go
        // nowhere.
        std::vector<double> walkOnly, encodeOnly;
        for (int r = 0; r < rounds; ++r) {
            qsizetype units = 0;
            walkOnly.push_back(timingOf([&] {
                                   forEachTextRun(*form.editor()->document(),
                                                  [&](QStringView run) { units += run.size(); });
                               }).cpu);
            encodeOnly.push_back(timingOf([&] {
                                     textfile::TextEncoder encoder(
                                         form.document().textForm(),
                                         [](QByteArrayView) { return true; });
                                     encoder.setParagraphBreaks(true);
                                     forEachTextRun(*form.editor()->document(),
                                                    [&](QStringView run) { encoder.append(run); });
                                     encoder.finish();
                                 }).cpu);
        }

        std::vector<double> ours, floor, oursCpu, floorCpu, released;
        // Before each of our saves a user's edit, not timed: a character typed at the start of
        // a line, taken out again before the next save, on lines spread over the file.
        QTextDocument& document = *form.editor()->document();
        int edits = 0;
        auto editOnce = [&] {
            const int line = int((quint64(edits / 2) * 7919 + 13) % quint64(document.blockCount()));
            QTextCursor at(document.findBlockByNumber(line));
            if (edits % 2 == 0)
                at.insertText(u"x"_s);
            else
                at.deleteChar();
            ++edits;
            QCoreApplication::processEvents();
        };
        auto run = [&](bool isOurs) {
            double releasedAfter = 0;
            if (isOurs)
                editOnce();
            const Timing t = isOurs ? timingOf([&] {
                form.Save1Click();
                // Closing the replaced file, which the floor does inside its rename.
                QElapsedTimer release;
                release.start();
                ReplacedFileRelease::waitForAll();
                releasedAfter = double(release.nsecsElapsed()) / 1e6;
            })
                                    : timingOf([&] { floorSave(floorPath, bytes); });
            (isOurs ? ours : floor).push_back(t.wall);
            if (isOurs)
                released.push_back(releasedAfter);
            (isOurs ? oursCpu : floorCpu).push_back(t.cpu);
        };
        for (int r = 0; r < rounds; ++r) {
            run(r % 2 == 0);
            run(r % 2 != 0);
        }
        if (edits % 2 != 0)
            editOnce();
        form.Save1Click();
        if (textfile::readBytes(path).bytes != bytes)
            qFatal("the save changed the file");
        const Spread o = spreadOf(ours);
        const Spread f = spreadOf(floor);
        const double oc = spreadOf(oursCpu).median;
        const double fc = spreadOf(floorCpu).median;
        std::printf(
            "%2d MB  %8.1f (%5.1f-%6.1f) %8.1f (%5.1f-%6.1f) %6.2fx %8.2f   %6.1f %6.1f %6.2fx "
            "%7.1f %7.1f %8.1f %6.1f (%4.1f)\n",
            megabytes, o.median, o.low, o.high, f.median, f.low, f.high, o.median / f.median,
            o.median / megabytes, oc, fc, oc / fc, spreadOf(walkOnly).median,
            spreadOf(encodeOnly).median, spreadOf(released).median, first - firstReleased,
            firstReleased);
        printRatioRow("  per save, wall", ours, floor, "ms", 1.5);
        printRatioRow("  per save, cpu", oursCpu, floorCpu, "ms");
        std::fflush(stdout);
    }
    printLoad("after:  ");
    return 0;
}
