// The wizard's page flow: which page each button leads to, and what each page's show handler
// writes into the bottom row (section caption, page title, the buttons). The window only applies
// what this says.
#pragma once

#include <QString>
#include <optional>

namespace wizard {

constexpr int kPageCount = 11;
constexpr int kFirstKeyPage = 8; // "Кнопки" jumps here
constexpr int kLastPage = 10;

// What a page's show handler sets; an empty optional leaves that control as it was.
struct PageShowRule {
    QString tabCaption;
    std::optional<QString> label32;
    std::optional<QString> label3;
    std::optional<QString> button2Caption;
    std::optional<bool> button2Enabled;
    std::optional<bool> button3Enabled;
};

// page: 0 to kLastPage.
const PageShowRule& pageShowRule(int page);

// The bottom row as the page flow leaves it.
struct PageFlowView {
    int currentPage = 0;
    QString label3;
    QString label32;
    // The design caption, until the first page is shown for the first time.
    QString button2Caption = QStringLiteral("Далее >>");
    bool button2Bold = false;
    bool button2Enabled = false;
    bool button3Enabled = false;
    bool button56Visible = true;
    bool button56Enabled = false;
};

// What a forward button asks the window to do.
struct ForwardStep {
    bool refused = false;      // no file chosen: show the message, empty the preview
    bool readSettings = false; // read the document into the pages first
    int pageToShow = -1;       // -1: stay
};

class PageFlow {
public:
    const PageFlowView& view() const { return m_view; }
    int currentPage() const { return m_view.currentPage; }

    // A page's show handler. True when the used-key list is to be emptied (the first page,
    // shown for the user rather than for document work).
    bool show(int page);

    // "Далее": pageShown is the page the window shows now.
    ForwardStep forward(int pageShown, bool fileChosen);
    // "Кнопки".
    ForwardStep jumpToKeys(bool fileChosen);
    // "<< Назад": the page to show, or -1.
    int back() const;

    // A file was chosen: both forward buttons work until the wizard closes.
    void fileChosen();
    // The wizard closed, dropping its file: the next opening starts with nothing chosen.
    void fileDropped();
    // The forward buttons hide "Кнопки" once they left the first page.
    void hideKeysButton() { m_view.button56Visible = false; }

    // Set while the wizard works on its documents only; the first page's show handler then
    // keeps the used-key list.
    bool internalPageSwitch() const { return m_internalPageSwitch; }
    void setInternalPageSwitch(bool on) { m_internalPageSwitch = on; }

private:
    PageFlowView m_view;
    bool m_internalPageSwitch = false;
};

// The note of the last key page, set each time the wizard opens.
QString keyPagesNote();

// The forward buttons' message when no file is chosen.
QString chooseConfigFirstMessage();

} // namespace wizard
