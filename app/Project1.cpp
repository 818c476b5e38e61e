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
    w.about = make<TAbout>(ctx, w.form1);
    w.sozdat = make<Tsozdat>(ctx, w.form1);
    w.nachalo = make<Tnachalo>(ctx);
}

ProgramWindows::~ProgramWindows() {
    // Children of the main window go with it; delete top-level windows, main window last.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        if (!(*it)->parentWidget())
            delete *it;
}
