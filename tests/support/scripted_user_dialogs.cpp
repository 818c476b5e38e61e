// Scripted dialogs for tests.
#include "scripted_user_dialogs.h"

#include <gtest/gtest.h>

const char* kindName(ScriptedUserDialogs::Kind kind) {
    static const char* names[] = {"warning",       "error",   "information", "yes/no",
                                  "yes/no/cancel", "message", "open",        "save",
                                  "font",          "colour",  "print"};
    return names[static_cast<int>(kind)];
}

ScriptedUserDialogs::~ScriptedUserDialogs() {
    for (const Step& s : m_queue)
        ADD_FAILURE() << "announced dialog never opened: " << kindName(s.kind);
}

ScriptedUserDialogs& ScriptedUserDialogs::expect(Kind kind, Answer answer) {
    Step s{kind, answer};
    s.before = std::exchange(m_pendingBefore, nullptr);
    m_queue.push_back(std::move(s));
    return *this;
}

ScriptedUserDialogs& ScriptedUserDialogs::expectFile(Kind kind, const QString& fileName,
                                                     int filterIndex) {
    Step s{kind};
    s.fileName = fileName;
    s.filterIndex = filterIndex;
    s.before = std::exchange(m_pendingBefore, nullptr);
    m_queue.push_back(std::move(s));
    return *this;
}

ScriptedUserDialogs& ScriptedUserDialogs::expectFont(std::optional<QFont> font, QColor color) {
    Step s{Kind::Font};
    s.font = std::move(font);
    s.fontColor = color;
    s.before = std::exchange(m_pendingBefore, nullptr);
    m_queue.push_back(std::move(s));
    return *this;
}

ScriptedUserDialogs& ScriptedUserDialogs::expectColor(std::optional<QColor> color) {
    Step s{Kind::Color};
    s.color = std::move(color);
    s.before = std::exchange(m_pendingBefore, nullptr);
    m_queue.push_back(std::move(s));
    return *this;
}

ScriptedUserDialogs& ScriptedUserDialogs::onNext(std::function<void()> action) {
    m_pendingBefore = std::move(action);
    return *this;
}

ScriptedUserDialogs::Step ScriptedUserDialogs::take(Kind kind, const QString& text,
                                                    const FileDialogOptions& options) {
    m_calls.push_back({kind, text, options});
    if (m_queue.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << " dialog: " << text.toStdString();
        return Step{kind, Answer::Cancel};
    }
    Step s = std::move(m_queue.front());
    m_queue.pop_front();
    if (s.kind != kind) {
        ADD_FAILURE() << "expected a " << kindName(s.kind) << " dialog, got " << kindName(kind)
                      << ": " << text.toStdString();
        return Step{kind, Answer::Cancel};
    }
    if (s.before)
        s.before();
    return s;
}

void ScriptedUserDialogs::warning(const QString& text) {
    take(Kind::Warning, text);
}
void ScriptedUserDialogs::error(const QString& text) {
    take(Kind::Error, text);
}
void ScriptedUserDialogs::information(const QString& text) {
    take(Kind::Information, text);
}
void ScriptedUserDialogs::message(const QString& text) {
    take(Kind::Message, text);
}

UserDialogs::Answer ScriptedUserDialogs::confirmYesNo(const QString& text) {
    return take(Kind::YesNo, text).answer;
}

UserDialogs::Answer ScriptedUserDialogs::confirmYesNoCancel(const QString& text) {
    return take(Kind::YesNoCancel, text).answer;
}

static UserDialogs::FileDialogResult fileResult(const ScriptedUserDialogs::FileDialogOptions& o,
                                                const QString& fileName, int filterIndex) {
    UserDialogs::FileDialogResult r;
    r.accepted = !fileName.isEmpty();
    r.fileName = fileName;
    r.filterIndex = filterIndex > 0 ? filterIndex : o.filterIndex;
    return r;
}

UserDialogs::FileDialogResult ScriptedUserDialogs::openFile(const FileDialogOptions& options) {
    Step s = take(Kind::Open, options.title, options);
    return fileResult(options, s.fileName, s.filterIndex);
}

UserDialogs::FileDialogResult ScriptedUserDialogs::saveFile(const FileDialogOptions& options) {
    Step s = take(Kind::Save, options.title, options);
    return fileResult(options, s.fileName, s.filterIndex);
}

std::optional<FontChoice> ScriptedUserDialogs::chooseFont(const FontChoice& initial) {
    const Step s = take(Kind::Font, QString());
    if (!s.font)
        return std::nullopt;
    return FontChoice{*s.font, s.fontColor.isValid() ? s.fontColor : initial.color};
}

std::optional<QColor> ScriptedUserDialogs::chooseColor(const QColor& initial) {
    Q_UNUSED(initial);
    return take(Kind::Color, QString()).color;
}

bool ScriptedUserDialogs::printText(const QString& text, const QFont& font,
                                    const QString& jobTitle) {
    Q_UNUSED(text);
    Q_UNUSED(font);
    return take(Kind::Print, jobTitle).answer == Answer::Yes;
}
