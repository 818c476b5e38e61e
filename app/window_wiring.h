// Creating the program's windows once, in their fixed order, with the main window first.
#pragma once

#include "app/app_context.h"

#include <memory>
#include <vector>

class QWidget;

// Owns every window for the whole run; destroys them in reverse order.
class ProgramWindows {
public:
    explicit ProgramWindows(AppContext& ctx);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    const std::vector<QWidget*>& all() const { return m_windows; }

private:
    template <typename T, typename... Args> T* make(Args&&... args);
    static void wireMainWindowCommands(AppContext& ctx, const AppWindows& w);
    static void wireReference(const AppWindows& w);
    static void wireMetaBinds(const AppWindows& w);
    static void wireKeyMap(const AppWindows& w);
    std::vector<QWidget*> m_windows;
};
