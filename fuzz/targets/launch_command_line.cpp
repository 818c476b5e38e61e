// The game's command line: any mod, driver, options and player count give well-formed
// parameters, and clicks on the launcher's options keep its rules (one renderer; "-win" and
// "-full" never both). The start script and the program to start come from the same choices.
// (No seeds: the input is nothing but choices.)
#include "launcher/game_start.h"
#include "launcher/launch_options.h"
#include "support.h"

using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    OptionsState state;
    state.checked = defaultOptionChecks();
    for (int clicks = in.ConsumeIntegralInRange(0, 16); clicks > 0; --clicks) {
        const int clicked = in.ConsumeIntegralInRange(-1, int(LaunchOptionCount) - 1);
        if (clicked >= 0)
            state.checked[clicked] = !state.checked[clicked];
        state = applyCheckClick(state, clicked).state;
        if (clicked == OptWin || clicked == OptFull)
            fuzz::check(!(state.checked[OptWin] && state.checked[OptFull]), "-win or -full");
        if (clicked == OptD3d || clicked == OptGl || clicked == OptSoft)
            fuzz::check(state.checked[OptD3d] + state.checked[OptGl] + state.checked[OptSoft] == 1,
                        "one renderer");
    }

    LaunchSettings s;
    s.mod = fuzz::takeText(in, 16);
    s.driver = fuzz::takeText(in, 16);
    s.driverChecked = in.ConsumeBool();
    s.checked = state.checked;
    s.maxPlayers = in.ConsumeIntegral<int>();
    const QStringList args = launchArguments(s);
    fuzz::check(args.size() >= 5 && args[0] == u"-game"_s && args[1] == s.mod,
                "-game and the mod come first", args.join(u' '));
    fuzz::check(args.last() == u"-gamegauge"_s, "-gamegauge comes last");
    const qsizetype gldrv = args.indexOf(u"-gldrv"_s, 2);
    if (gldrv >= 0)
        fuzz::check(!args[gldrv + 1].trimmed().isEmpty(), "-gldrv names a driver");
    fuzz::check(launchParams(s) == args.join(u' '), "LaunchParams is the arguments joined");

    const QString map = chosenMap(fuzz::takeText(in, 12), fuzz::takeText(in, 12));
    const QString script = startScript(map, in.ConsumeBool());
    fuzz::check(script.startsWith(u"exec _.cfg"_s), "the start script runs the launch copy");
    GameHost host;
    host.windows = in.ConsumeBool();
    (void)gameProgram(fuzz::scratchDir(), args, host);
    return 0;
}
