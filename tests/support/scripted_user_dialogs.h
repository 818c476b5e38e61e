// UserDialogs for tests: every dialog the code opens must have been announced with an expect
// call, in order, with its answer. An unannounced dialog fails the test.
#pragma once

#include "platform/user_dialogs.h"

#include <deque>
#include <functional>

class ScriptedUserDialogs final : public UserDialogs {
public:
    enum class Kind {
        Warning,
        Error,
        Information,
        YesNo,
        YesNoCancel,
        Message,
        Open,
        Save,
        Font,
        Color,
        Print
    };

    struct Call {
        Kind kind;
        QString text; // message text, or the file dialog's title
        FileDialogOptions options;
    };

    ~ScriptedUserDialogs() override;

    // Message boxes; `answer` matters for the confirmations only.
    ScriptedUserDialogs& expect(Kind kind, Answer answer = Answer::Yes);
    // File dialogs: a chosen file (empty = cancelled) and the file type the user left selected.
    ScriptedUserDialogs& expectFile(Kind kind, const QString& fileName, int filterIndex = -1);
    // A confirmed font (with `color` as the text colour; the initial one when not given), or
    // nothing for a cancelled dialog.
    ScriptedUserDialogs& expectFont(std::optional<QFont> font, QColor color = QColor());
    ScriptedUserDialogs& expectColor(std::optional<QColor> color);
    // Runs `action` when the dialog of `kind` would open (to look at the state at that moment).
    ScriptedUserDialogs& onNext(std::function<void()> action);

    const std::vector<Call>& calls() const { return m_calls; }
    bool allUsed() const { return m_queue.empty(); }
    QString lastText() const { return m_calls.empty() ? QString() : m_calls.back().text; }
    void clear() {
        m_queue.clear();
        m_calls.clear();
    }

    void warning(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    Answer confirmYesNo(const QString& text) override;
    Answer confirmYesNoCancel(const QString& text) override;
    void message(const QString& text) override;
    FileDialogResult openFile(const FileDialogOptions& options) override;
    FileDialogResult saveFile(const FileDialogOptions& options) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    bool printText(const QString& text, const QFont& font, const QString& jobTitle) override;

private:
    struct Step {
        explicit Step(Kind k, Answer a = Answer::Yes) : kind(k), answer(a) {}
        Kind kind;
        Answer answer = Answer::Yes;
        QString fileName;
        int filterIndex = -1;
        std::optional<QFont> font;
        QColor fontColor;
        std::optional<QColor> color;
        std::function<void()> before;
    };
    Step take(Kind kind, const QString& text, const FileDialogOptions& options = {});

    std::deque<Step> m_queue;
    std::function<void()> m_pendingBefore;
    std::vector<Call> m_calls;
};

const char* kindName(ScriptedUserDialogs::Kind kind);
