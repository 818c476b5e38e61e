// ConfigWizard, the config wizard: eleven pages behind hidden tabs. Page 1 chooses the config,
// pages 2 to 8 tune its settings and apply them, pages 9 to 11 (filled by the key pages) bind keys.
// The documents and everything done to them live in the working set; the window shows them.
#pragma once

#include "state/app_context.h"
#include "state/key_request.h"
#include "widgets/qt_built_on_first_show.h"
#include "wizard/page_flow.h"
#include "wizard/wizard_key_part.h"
#include "wizard/wizard_working_set.h"

#include <QColor>
#include <QDialog>
#include <QHash>
#include <array>
#include <functional>

class DriveFolderTree;
struct WizardSaveResult;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeView;
class SpinEdit;

class Vocabulary;

class ConfigWizard : public BuiltOnFirstShow<QDialog> {
    Q_OBJECT
public:
    // `installKeys` builds the key pages into the wizard while it builds its pages.
    ConfigWizard(AppContext& ctx, WizardKeyPartInstaller installKeys, QWidget* parent = nullptr);
    ~ConfigWizard() override;

    // Opens the wizard modally, centred on the main window, on its first page.
    void runModal();

    WizardWorkingSet& workingSet() { return m_set; }
    // The words the editor knows: which settings the game keeps in config.cfg. In autoexec mode
    // a changed setting it does not keep goes to autoexec.cfg.
    void setVocabularySource(std::function<const Vocabulary&()> words);
    const wizard::PageFlow& pageFlow() const { return m_flow; }

    // The internal page switch every piece of document work goes through: the first page's
    // show handler runs (emptying the used-key list unless `keepUsedKeys`), then `work`, then
    // the page shown before is shown again and its show handler runs.
    void runOnDocuments(bool keepUsedKeys, const std::function<void()>& work);

    // Shows page `index` (0 to 10) and runs its show handler.
    void showPage(int index);
    QWidget* page(int index) const {
        ensureBuilt();
        return m_pages.at(static_cast<size_t>(index));
    }

    // Shows how a save of a wizard document went: an error box naming the file and the reason,
    // or the wizard's line under its buttons ("Сохранено: ...") and the main window's status
    // line. True when saved.
    bool reportSave(const WizardSaveResult& result);
    // The working documents hold changes (keys bound on pages 9 to 11, a MetaBind) that are not
    // yet in their files.
    bool hasUnsavedChanges() const;
    // Before a save: names the characters of `text` that Windows-1251 cannot hold (they are
    // written as "?").
    void warnUnencodable(const QString& text);

    // The command texts of the key pages' action buttons (`"+forward"`, ...), in button order;
    // reading a config sets workingSet().actionKeys in the same order.
    void setActionCommands(const QStringList& commands);

public slots:
    // A MetaBind block for the working document (kept there until the key pages save it).
    void appendMetaBind(const QString& block);
    // The key chosen for the key pages' action of row `row` (their keyChoiceRequested): bound to
    // it in the working document.
    void actionKeyChosen(int row, const QString& key);

    void FormShow();
    void FormClose();
    void Button1Click();  // "Создать"
    void FileBox1Click(); // a click in the file list
    void Button2Click();  // "Далее"
    void Button3Click();  // "<< Назад"
    void Button56Click(); // "Кнопки"
    void Button8Click();  // "Применить настройки"

    void TbS1Show();
    void TbS2Show();
    void TbS3Show();
    void TbS4Show();
    void TbS5Show();
    void TbS6Show();
    void TbS7Show();
    void TbS8Show();
    void TbS9Show();
    void TbS10Show();
    void TbS11Show();

    void RadioButton39Click(); // net graph on: its position list works
    void RadioButton40Click();
    void SpinEdit12Change(); // map change by minutes or by rounds, never both
    void SpinEdit13Change();
    void RadioButton17Click(); // rate from the list
    void RadioButton18Click(); // rate as a free number
    void ColorBox1Change(int index);

signals:
    // Page 11's "MetaBinds" asks for the MetaBinds window on the working document.
    void metaBindsRequested();
    // An action button of the key pages wants a key; the answer comes to actionKeyChosen.
    void keyChoiceRequested(const KeyRequest& request);
    // Page 1's "Создать" asks for a new empty config in `folder`, modally: when the request
    // returns, the file list is read again.
    void newConfigRequested(const QString& folder);
    // A note for the main window's status line (a safety copy kept, a sound that cannot play).
    void statusLineRequested(const QString& text);
    // A page's show handler ran (also when document work returns to the page).
    void pageShown(int index);
    // Leaving page 1 forward read the documents: the key lists and actionKeys are new.
    void documentsRead();

protected:
    void done(int result) override;
    void buildContents() override;

private:
    // wizard_window.cpp: the frame and the page flow.
    void buildFrame();
    void layOutFrame();
    void chainPagesToButtons();
    QSize pagesNeed() const;
    void applyFlowView();
    void runPageShow(int index);
    bool fileSelected() const;
    void refuseWithoutFile();
    void readDocuments();
    // The closing question for unsaved key work: true when the wizard may close.
    bool mayClose();
    // The chosen file could not be read: says why, and keeps the page.
    bool refuseUnreadable();

    // wizard_window_file_page.cpp
    void buildPage1();
    void openWizardFolder();
    void fillFileList(bool keepChoice);
    void showPreview();
    void DirectoryListBox1Change(const QString& folder);

    // wizard_window_settings_pages.cpp
    void buildSettingsPages();
    void buildConnectionPage();
    void clearSettingsPages();
    void valuesToControls(const WizardPageValues& values);
    WizardPageValues valuesFromControls() const;

    AppContext& m_ctx;
    WizardWorkingSet m_set;
    // Pages 9 to 11, which the frame tells what happens on page 1 and at closing.
    WizardKeyPartInstaller m_installKeys;
    WizardKeyPart* m_keyPages = nullptr;
    QStringList m_actionCommands;
    // The file list's selection changed with the press that the click ends.
    bool m_rowJustChosen = false;
    // The folder page 1 shows; browsing it moves no other window's folder. Started from the
    // game's folder, and again when that changes.
    QString m_browseFolder;
    QString m_browseStart;
    // Why the chosen file cannot be tuned (empty when it was read).
    QString m_unreadableReason;
    // The documents as last read from or written to their files.
    QString m_savedMem1;
    QString m_savedMem2;
    // The words the editor knows, and the settings of the chosen file a later file of the set
    // decides (wizard/later_settings.h), with the tool tips the controls had before.
    std::function<const Vocabulary&()> m_words;
    QHash<QString, QString> m_laterNotes;
    QHash<QWidget*, QString> m_plainToolTips;
    void markLaterSettings();
    wizard::PageFlow m_flow;
    // Set while the settings are read into the pages: the map change fields then keep both
    // values.
    bool m_loadingRounds = false;
    // The custom colour of the colour list (its first entry).
    QColor m_customColor;
    // A console colour the file gave in a form of its own, written back as it was.
    QString m_customColourText;

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image3 = nullptr;
    QTabWidget* PgC1 = nullptr;
    std::array<QWidget*, wizard::kPageCount> m_pages{};
    QLabel* Label3 = nullptr;
    QLabel* Label32 = nullptr;
    QPushButton* Button56 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* m_savedLine = nullptr; // "Сохранено: ..." under the buttons

    // Page 1.
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    DriveFolderTree* m_folderTree = nullptr;
    QListWidget* FileBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* mem1 = nullptr;
    QPlainTextEdit* mem2 = nullptr;
    QLabel* Label83 = nullptr; // the note on page 11

    // Pages 2 to 8, by name, as the settings catalogue lists them.
    QHash<QString, QWidget*> m_controls;
    QComboBox* ColorBox1 = nullptr;
    QRadioButton* RadioButton39 = nullptr;
    QRadioButton* RadioButton40 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    SpinEdit* SpinEdit12 = nullptr;
    SpinEdit* SpinEdit13 = nullptr;
    QRadioButton* RadioButton17 = nullptr;
    QRadioButton* RadioButton18 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    SpinEdit* SpinEdit5 = nullptr;
    QPushButton* Button8 = nullptr;
};
