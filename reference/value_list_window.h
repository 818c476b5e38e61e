// ValueListWindow, the value list window: the entries of the category or library chosen in the
// reference window. A click on an entry explains it (or shows its picture) in the explanation
// pop-up; a double click or "Добавить" inserts it into the config at the caret. DblClick1 also
// writes the lines the insert dialog prepares.
#pragma once

#include "reference/insertion.h"
#include "state/app_context.h"
#include "widgets/qt_tool_window.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

// What the value list asks of other windows; app/window_wiring.cpp gives the answers.
struct ValueListSources {
    std::function<QString()> selectedLibrary;      // the reference window's chosen library
    std::function<InsertionPieces()> dialogPieces; // the insert dialog's fields
    std::function<int()> caretColumn; // the column of the editor's selection start (or caret)
};

class ValueListWindow : public ToolWindow {
    Q_OBJECT
public:
    enum class Caller {
        ValueList, // a double click or "Добавить": the entry, in the form of the last category
        InsertDialog, // InsertMode was set by the insert dialog
    };

    explicit ValueListWindow(AppContext& ctx, QWidget* parent = nullptr);

    void setSources(ValueListSources sources) { m_sources = std::move(sources); }

    // The selected entry, or empty.
    QString selectedEntry() const;
    // The entries shown.
    QStringList entries() const;
    // The caption above the list: the chosen category or library.
    QString caption() const;
    // The list file the entries came from (ListFilePath as the list was loaded).
    const QString& listFilePath() const { return m_listFilePath; }

signals:
    // Text for the editor's caret; with `caretOneLeft` the caret ends one character back
    // (inside the quotes the insertion closes).
    void insertRequested(const QString& text, bool caretOneLeft);
    // For the explanation pop-up.
    void explanationRequested(const QString& text);
    void pictureRequested(const QImage& image);
    void pictureDropped();

public slots:
    // The entries of the list file at `listFilePath`, none selected.
    void showList(const QString& listFilePath, const QStringList& entries);
    void setCaption(const QString& caption);
    // What the reference's page says of the list: the mode an insertion takes, whether entries
    // are weapon pictures, whether explanations come from the DLZ libraries.
    void setPageState(int lastRefPage, bool weaponPictures, bool dlzPageActive);
    void ListBox1Click();
    // The insertion into the editor at the caret, replacing the selection. From the list itself
    // the mode follows the last category (LastRefPage); the insert dialog gives its page's mode.
    void DblClick1(ValueListWindow::Caller caller = Caller::ValueList, int insertMode = 0);
    void FormResize();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void showEntryPicture(const QString& entry);
    void showEntryExplanation(const QString& entry);

    ValueListSources m_sources;
    QString m_listFilePath;
    int m_lastRefPage = 0;
    bool m_weaponPictures = false;
    bool m_dlzPageActive = false;

    // Controls, named as the program names them.
    QFrame* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button1 = nullptr;
};
