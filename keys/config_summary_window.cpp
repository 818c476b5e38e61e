// "Итог конфига".
#include "keys/config_summary_window.h"

#include "keys/config_set_keys.h"
#include "language/vocabulary.h"
#include "widgets/qt_widget_helpers.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {
// Typing settles before the set is run again.
constexpr int kRunDelayMs = 400;
} // namespace

ConfigSummaryWindow::ConfigSummaryWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(u"Itog"_s);
    setWindowTitle(u"Итог конфига"_s);
    m_runTimer = new QTimer(this);
    m_runTimer->setSingleShot(true);
    m_runTimer->setInterval(kRunDelayMs);
    connect(m_runTimer, &QTimer::timeout, this, &ConfigSummaryWindow::runSet);
}

void ConfigSummaryWindow::buildContents() {
    auto* layout = new QVBoxLayout(this);
    LabelChain = new QLabel(this);
    LabelChain->setObjectName(u"LabelChain"_s);
    LabelChain->setWordWrap(true);
    LabelChain->setTextFormat(Qt::RichText);
    LabelChain->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LabelNote = new QLabel(startOrderNote(), this);
    LabelNote->setObjectName(u"LabelNote"_s);
    LabelNote->setWordWrap(true);
    QFont small = LabelNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    LabelNote->setFont(small);
    auto* row = new QHBoxLayout;
    auto* filterLabel = new QLabel(u"Фильтр:"_s, this);
    EditFilter = new QLineEdit(this);
    EditFilter->setObjectName(u"EditFilter"_s);
    EditFilter->setPlaceholderText(u"sensitivity, MOUSE1, autoexec.cfg ..."_s);
    EditFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(EditFilter);
    row->addWidget(filterLabel);
    row->addWidget(EditFilter, 1);
    TableFinal = new QTableWidget(0, 5, this);
    TableFinal->setObjectName(u"TableFinal"_s);
    TableFinal->setHorizontalHeaderLabels(
        {u"Вид"_s, u"Имя"_s, u"Значение в игре"_s, u"Где задано"_s, u"Что перекрывает"_s});
    TableFinal->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableFinal->setSelectionBehavior(QAbstractItemView::SelectRows);
    TableFinal->setSelectionMode(QAbstractItemView::SingleSelection);
    TableFinal->verticalHeader()->hide();
    TableFinal->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    TableFinal->horizontalHeader()->setStretchLastSection(true);
    TableFinal->setWordWrap(false);
    layout->addWidget(LabelChain);
    layout->addWidget(LabelNote);
    layout->addLayout(row);
    layout->addWidget(TableFinal, 1);
    connect(EditFilter, &QLineEdit::textChanged, this, &ConfigSummaryWindow::EditFilterChange);
    connect(TableFinal, &QTableWidget::cellDoubleClicked, this,
            [this](int r, int) { TableFinalDblClick(r); });
    // Enter on a row opens it, as a double click does.
    connect(TableFinal, &QTableWidget::cellActivated, this,
            [this](int r, int) { TableFinalDblClick(r); });
}

void ConfigSummaryWindow::followDocument(QTextDocument* document) {
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    if (document)
        connect(document, &QTextDocument::contentsChanged, this, [this] {
            if (isVisible())
                m_runTimer->start();
        });
}

void ConfigSummaryWindow::showSummary() {
    ensureBuilt();
    if (!isVisible()) {
        const QRect area = (parentWidget() ? parentWidget() : this)->screen()->availableGeometry();
        resize(QSize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 34)
                   .boundedTo(area.size() * 0.9));
        centreFrameOn(this, area, parentWidget());
    } else {
        runSet();
    }
    show();
    raise();
    activateWindow();
}

void ConfigSummaryWindow::showEvent(QShowEvent* e) {
    BuiltOnFirstShow::showEvent(e);
    runSet();
}

void ConfigSummaryWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    BuiltOnFirstShow::keyPressEvent(e);
}

void ConfigSummaryWindow::runSet() {
    m_runTimer->stop();
    ensureBuilt();
    static const Vocabulary none;
    const QString path = m_documentPath ? m_documentPath() : QString();
    const configrun::Result run =
        runForDocument(m_ctx.state.games.gameDir, path,
                       m_document ? m_document->toPlainText() : QString(), m_words ? m_words() : none);
    m_rows = summaryRows(run);
    // The open document stood in for its file: its rows open in the editor.
    if (run.watched >= 0)
        for (SummaryRow& r : m_rows)
            if (r.path.isEmpty() && r.where.startsWith(run.chain.at(run.watched).shown + u':'))
                r.path = path;
    LabelChain->setText(m_ctx.state.games.gameDir.isEmpty()
                            ? u"Каталог игры не выбран: набор конфигов не известен."_s
                            : chainText(run, path));
    fillTable();
}

void ConfigSummaryWindow::fillTable() {
    const QString filter = EditFilter->text().trimmed();
    TableFinal->setUpdatesEnabled(false);
    TableFinal->setRowCount(0);
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        const SummaryRow& r = m_rows.at(i);
        if (!rowMatches(r, filter))
            continue;
        const int at = TableFinal->rowCount();
        TableFinal->insertRow(at);
        const QString cells[] = {r.kind, r.name, r.value, r.where, r.overrides};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(Qt::UserRole, int(i));
            if (c >= 1)
                item->setToolTip(cells[c]);
            TableFinal->setItem(at, c, item);
        }
    }
    TableFinal->resizeColumnsToContents();
    // Long values and names keep to a width that leaves the last column in view; their tool
    // tips and the column's resizing show the rest.
    const int widest[] = {16, 22, 24, 18};
    for (int c = 0; c < 4; ++c)
        TableFinal->setColumnWidth(c, std::min(TableFinal->columnWidth(c),
                                               fontMetrics().averageCharWidth() * widest[c]));
    TableFinal->setUpdatesEnabled(true);
}

void ConfigSummaryWindow::EditFilterChange() {
    fillTable();
}

void ConfigSummaryWindow::TableFinalDblClick(int row) {
    const QTableWidgetItem* item = TableFinal->item(row, 0);
    if (!item)
        return;
    const SummaryRow& r = m_rows.at(item->data(Qt::UserRole).toInt());
    if (!r.path.isEmpty() && r.line >= 0)
        emit fileLineRequested(r.path, r.line);
}
