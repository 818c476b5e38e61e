// "Итог конфига": what the game ends up with after its start, every variable, key, alias and
// setinfo of the config set with its final value, the file and line that set it and what it
// overrode, and the start drawn as the chain of files the game runs.
#pragma once

#include "keys/config_summary.h"
#include "state/app_context.h"
#include "widgets/qt_built_on_first_show.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTextDocument;
class QTimer;
class Vocabulary;

class ConfigSummaryWindow : public BuiltOnFirstShow<QWidget> {
    Q_OBJECT
public:
    explicit ConfigSummaryWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The editor's document and file: the document stands in for its file of the set, and the
    // window runs the set again a moment after each edit while it is shown.
    void followDocument(QTextDocument* document);
    void setDocumentPathSource(std::function<QString()> source) {
        m_documentPath = std::move(source);
    }
    void setVocabularySource(std::function<const Vocabulary&()> words) {
        m_words = std::move(words);
    }
    const QList<SummaryRow>& rows() const { return m_rows; }

public slots:
    void showSummary();
    void EditFilterChange();
    void TableFinalDblClick(int row);

signals:
    // Open this file in the editor (asking about unsaved changes) with the caret on this line.
    void fileLineRequested(const QString& path, int line);

protected:
    void buildContents() override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void runSet();
    void fillTable();

    AppContext& m_ctx;
    QPointer<QTextDocument> m_document;
    std::function<QString()> m_documentPath;
    std::function<const Vocabulary&()> m_words;
    QList<SummaryRow> m_rows;
    QTimer* m_runTimer = nullptr;

    QLabel* LabelChain = nullptr;
    QLabel* LabelNote = nullptr;
    QLineEdit* EditFilter = nullptr;
    QTableWidget* TableFinal = nullptr;
};
