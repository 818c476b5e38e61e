// The desktop's shell through Qt: QDesktopServices for documents, QProcess for programs.
#pragma once

#include "platform/shell.h"

class QtShell final : public Shell {
public:
    bool openDocument(const QString& path, const QString& workingFolder) override;
    bool startProgram(const QString& program, const QStringList& arguments, const QString& folder,
                      std::function<void()> whenEnded) override;
};
