// The keyboard map of a 16 MB config against one plain scan of its bind lines, in the same run.
// The scan reads every line with the console's line reader and keeps each bind's key and
// command: the least any reading of a config's binds does. The map reads the lines, resolves
// every key (aliases, combinations, conflicts) and paints the picture. Then one edited line:
// the map reads that line again, resolves and paints. Rounds alternate; medians are printed.
// Two configs: the demo game's config.cfg and autoexec.cfg repeated to 16 MB (settings and
// binds as players write them), and a worst case where every line binds or defines an alias.
#include "keys/key_resolution.h"
#include "keys/qt_keyboard_view.h"
#include "language/config_syntax.h"
#include "platform/text_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QString repeatedTo16MB(const QString& piece) {
    QString text;
    text.reserve(16 * 1024 * 1024 + piece.size());
    while (text.size() < 16 * 1024 * 1024)
        text += piece;
    return text;
}

QString demoConfig() {
    const QString game = QStringLiteral(TESSERA_SOURCE_DIR "/demo/Half-Life/cstrike/");
    return textfile::readText(game + QStringLiteral("config.cfg")).text + QLatin1Char('\n') +
           textfile::readText(game + QStringLiteral("autoexec.cfg")).text + QLatin1Char('\n');
}

QString bindsOnly() {
    const QStringList keys = {QStringLiteral("w"),      QStringLiteral("a"),
                              QStringLiteral("MOUSE1"), QStringLiteral("F5"),
                              QStringLiteral("KP_END"), QStringLiteral("SPACE"),
                              QStringLiteral("x"),      QStringLiteral("MWHEELUP")};
    const QStringList sample = {
        QStringLiteral("// weapons and buying"),
        QStringLiteral("alias \"+jumpduck\" \"+jump;+duck\""),
        QStringLiteral("alias \"-jumpduck\" \"-jump;-duck\""),
        QStringLiteral("bind \"MOUSE3\" \"+jumpduck\""),
        QStringLiteral("alias \"Kaz-f\" \"buy;menuselect 4;menuselect 1;ww;slot10\""),
        QStringLiteral("bind \"f\" \"Kaz-f\""),
        QStringLiteral("alias \"+altkey\" \"bind f Kaz-alt-f\""),
        QStringLiteral("alias \"-altkey\" \"bind f Kaz-f\""),
        QStringLiteral("bind \"alt\" \"+altkey\""),
        QStringLiteral("cl_updaterate \"30\""),
        QStringLiteral("fps_max \"72\" // steady"),
        QStringLiteral("name \"Strelok\""),
    };
    QString text;
    text.reserve(16 * 1024 * 1024 + 64);
    for (int i = 0; text.size() < 16 * 1024 * 1024; ++i) {
        if (i % 3 == 0)
            text += QStringLiteral("bind \"%1\" \"slot%2\"\n")
                        .arg(keys.at(i % keys.size()))
                        .arg(i % 10);
        else
            text += sample.at(i % sample.size()) + QLatin1Char('\n');
    }
    return text;
}

// The baseline: every line through the line reader, each bind's key and command kept.
qsizetype scanBinds(const QString& text) {
    QList<QPair<QString, QString>> binds;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        for (const ConfigCommand& c :
             parseConfigLine(QStringView(text).mid(start, end - start)).commands)
            if (c.name() == QStringLiteral("bind") && c.argumentCount() >= 2)
                binds.append({c.argument(0).text.toString(), c.argument(1).text.toString()});
        start = end + 1;
    }
    return binds.size();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

void runCase(const char* title, const QString& text, int rounds) {
    KeyboardView view;
    const QSize pictureSize(1280, 640);
    std::printf("\n%s: %lld characters\n", title, static_cast<long long>(text.size()));
    std::vector<double> scan, map, edit;
    BindingLines lines;
    qsizetype found = 0;
    for (int r = 0; r < rounds; ++r) {
        // Alternate which side goes first so neither gains from a warm cache.
        for (int side = 0; side < 2; ++side) {
            QElapsedTimer t;
            t.start();
            if ((side == 0) == (r % 2 == 0)) {
                found = scanBinds(text);
                scan.push_back(msSince(t));
            } else {
                BindingLines fresh;
                fresh.setText(text);
                view.setMap(resolveKeyMap(fresh));
                const QImage picture = view.picture(pictureSize);
                map.push_back(msSince(t));
                lines = std::move(fresh);
            }
        }
        QElapsedTimer t;
        t.start();
        lines.replaceLines(lines.lineCount() / 2, 1,
                           {QStringLiteral("bind \"k\" \"say round %1\"").arg(r)});
        view.setMap(resolveKeyMap(lines));
        const QImage picture = view.picture(pictureSize);
        edit.push_back(msSince(t));
    }
    // Where the map's time goes, once.
    QElapsedTimer t;
    t.start();
    BindingLines once;
    once.setText(text);
    const double read = msSince(t);
    t.restart();
    KeyMapResult resolved = resolveKeyMap(once);
    const double resolve = msSince(t);
    t.restart();
    view.setMap(std::move(resolved));
    const QImage picture = view.picture(pictureSize);
    const double paint = msSince(t);

    const KeyMapResult& result = view.map();
    std::printf("bind lines: %lld; keys bound: %d, conflicts: %d\n", static_cast<long long>(found),
                result.boundCount, result.conflictCount);
    const double base = median(scan);
    std::printf("plain scan of the bind lines:             %8.1f ms\n", base);
    std::printf("key map (read, resolve, paint):           %8.1f ms  ratio %.2f\n", median(map),
                median(map) / base);
    std::printf("  of it: read %.1f ms, resolve %.1f ms, paint %.1f ms\n", read, resolve, paint);
    std::printf("one edited line (read, resolve, paint):   %8.1f ms  ratio %.2f\n", median(edit),
                median(edit) / base);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    runCase("the demo config repeated", repeatedTo16MB(demoConfig()), rounds);
    runCase("every line a bind or an alias", bindsOnly(), rounds);
    return 0;
}
