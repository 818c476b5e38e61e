// The window creation order. Only the main window is shown by its creation; the others are
// shown and hidden by the commands that use them, and keep their state between showings.
#include "app/Project1.h"

#include "shell/AboutTessera.h"
#include "shell/Unit1.h"
#include "shell/Unit7.h"
#include "shell/Unit9.h"

template <typename T, typename... Args> T* ProgramWindows::make(Args&&... args) {
    T* w = new T(std::forward<Args>(args)...);
    m_windows.push_back(w);
    return w;
}

ProgramWindows::ProgramWindows(AppContext& ctx) {
    AppWindows& w = ctx.windows;
    w.form1 = make<TForm1>(ctx);
    // 2: TPani1, value list window
    // 3: Tccd, reference window
    // 4: TForm3, library set-up window
    // 5: Tsetbal, insert dialog
    // 6: TForm6, explanation pop-up
    w.about = make<TAbout>(ctx, w.form1);
    // 8: TForm2, config wizard
    w.sozdat = make<Tsozdat>(ctx, w.form1);
    // 10: Tbinds, key choice dialog
    w.nachalo = make<Tnachalo>(ctx);
    // 12: Tmaps, map cycle editor
    // 13: TMetab, MetaBinds insertion window
    // 14: Tstartcs, game launcher
    // 15: TMaps_menu, your-maps picker
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
