// The versions window.
#include "shell/version_history_window.h"

#include "platform/line_diff.h"
#include "platform/program_paths.h"
#include "platform/user_dialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

QString decoded(const QByteArray& bytes) {
    return textfile::decodeText(bytes, textfile::detectForm(bytes));
}

QString versionTime(const FileVersion& v) {
    return v.time().toString(u"dd.MM.yyyy HH:mm:ss"_s);
}

// Colours that read on a light and a dark background alike.
const QColor kRemoved(255, 0, 0, 48);
const QColor kAdded(0, 170, 0, 48);
const QColor kHeader(0, 90, 200, 40);

void appendLine(QTextCursor& c, const QString& text, const QColor& background) {
    QTextBlockFormat block;
    if (background.isValid())
        block.setBackground(background);
    if (!c.atStart())
        c.insertBlock(block);
    else
        c.setBlockFormat(block);
    c.insertText(text);
}

QPlainTextEdit* diffPane(const QString& name, QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(name);
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    return pane;
}

} // namespace

VersionHistoryWindow::VersionHistoryWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent), m_ctx(ctx) {
    setObjectName(u"History"_s);
    setWindowTitle(u"История версий"_s);
}

void VersionHistoryWindow::buildContents() {
    resize(820, 600);
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* fileLabel = new QLabel(u"&Файл:"_s, this);
    FileBox1 = new QComboBox(this);
    FileBox1->setObjectName(u"FileBox1"_s);
    FileBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    fileLabel->setBuddy(FileBox1);
    top->addWidget(fileLabel);
    top->addWidget(FileBox1, 1);
    layout->addLayout(top);

    ReportBox1 = new QGroupBox(u"Что изменила игра в config.cfg"_s, this);
    ReportBox1->setObjectName(u"ReportBox1"_s);
    auto* report = new QVBoxLayout(ReportBox1);
    ReportText1 = diffPane(u"ReportText1"_s, ReportBox1);
    ReportText1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    ReportText1->setMinimumHeight(140);
    report->addWidget(ReportText1);
    auto* reportButtons = new QHBoxLayout;
    MoveButton1 = new QPushButton(u"Перенести строки в &autoexec.cfg"_s, ReportBox1);
    MoveButton1->setObjectName(u"MoveButton1"_s);
    RestoreMineButton1 = new QPushButton(u"&Вернуть мою версию"_s, ReportBox1);
    RestoreMineButton1->setObjectName(u"RestoreMineButton1"_s);
    reportButtons->addWidget(MoveButton1);
    reportButtons->addWidget(RestoreMineButton1);
    reportButtons->addStretch(1);
    report->addLayout(reportButtons);
    ReportBox1->hide();
    layout->addWidget(ReportBox1, 3);

    auto* listLabel = new QLabel(u"&Версии (новые сверху):"_s, this);
    VersionList1 = new QTreeWidget(this);
    VersionList1->setObjectName(u"VersionList1"_s);
    VersionList1->setRootIsDecorated(false);
    VersionList1->setUniformRowHeights(true);
    VersionList1->setHeaderLabels(
        {u"Время"_s, u"Кто записал"_s, u"Размер, байт"_s, u"Строк +"_s, u"Строк −"_s});
    VersionList1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    listLabel->setBuddy(VersionList1);
    layout->addWidget(listLabel);
    layout->addWidget(VersionList1, 2);

    auto* modeRow = new QHBoxLayout;
    auto* modeLabel = new QLabel(u"&Разница с файлом сейчас:"_s, this);
    DiffMode1 = new QComboBox(this);
    DiffMode1->setObjectName(u"DiffMode1"_s);
    DiffMode1->addItems({u"одним списком"_s, u"рядом"_s});
    modeLabel->setBuddy(DiffMode1);
    modeRow->addWidget(modeLabel);
    modeRow->addWidget(DiffMode1);
    modeRow->addStretch(1);
    layout->addLayout(modeRow);

    DiffView1 = diffPane(u"DiffView1"_s, this);
    layout->addWidget(DiffView1, 4);
    SideBySide1 = new QSplitter(Qt::Horizontal, this);
    SideBySide1->setObjectName(u"SideBySide1"_s);
    DiffLeft1 = diffPane(u"DiffLeft1"_s, SideBySide1);
    DiffRight1 = diffPane(u"DiffRight1"_s, SideBySide1);
    // The two sides scroll together, line for line.
    connect(DiffLeft1->verticalScrollBar(), &QScrollBar::valueChanged,
            DiffRight1->verticalScrollBar(), &QScrollBar::setValue);
    connect(DiffRight1->verticalScrollBar(), &QScrollBar::valueChanged,
            DiffLeft1->verticalScrollBar(), &QScrollBar::setValue);
    SideBySide1->hide();
    layout->addWidget(SideBySide1, 4);

    auto* buttons = new QHBoxLayout;
    RestoreButton1 = new QPushButton(u"&Восстановить"_s, this);
    RestoreButton1->setObjectName(u"RestoreButton1"_s);
    RestoreButton1->setToolTip(u"Вернуть в файл выбранную версию; нынешний текст файла "
                               u"останется в истории"_s);
    CloseButton1 = new QPushButton(u"&Закрыть"_s, this);
    CloseButton1->setObjectName(u"CloseButton1"_s);
    for (QPushButton* b : {RestoreButton1, CloseButton1, MoveButton1, RestoreMineButton1})
        b->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(RestoreButton1);
    buttons->addWidget(CloseButton1);
    layout->addLayout(buttons);

    // Each version's name is read from its own row: "Восстановить" does what the row says.
    RestoreButton1->setEnabled(false);
    connect(FileBox1, &QComboBox::activated, this, &VersionHistoryWindow::FileBox1Change);
    connect(VersionList1, &QTreeWidget::currentItemChanged, this,
            &VersionHistoryWindow::VersionList1Change);
    connect(DiffMode1, &QComboBox::currentIndexChanged, this,
            &VersionHistoryWindow::DiffMode1Change);
    connect(RestoreButton1, &QPushButton::clicked, this,
            &VersionHistoryWindow::RestoreButton1Click);
    connect(CloseButton1, &QPushButton::clicked, this, &QDialog::close);
    connect(MoveButton1, &QPushButton::clicked, this, &VersionHistoryWindow::MoveButton1Click);
    connect(RestoreMineButton1, &QPushButton::clicked, this,
            &VersionHistoryWindow::RestoreMineButton1Click);
    setTextFont(m_font);
}

void VersionHistoryWindow::setTextFont(const QFont& font) {
    m_font = font;
    if (!isBuilt())
        return;
    for (QPlainTextEdit* pane : {DiffView1, DiffLeft1, DiffRight1, ReportText1})
        pane->setFont(font);
}

void VersionHistoryWindow::fillFiles() {
    // The file shown, then every config of the game folder.
    QStringList files{m_file};
    const QString gameDir = m_ctx.state.games.gameDir;
    if (!gameDir.isEmpty())
        for (const QString& name : paths::listFiles(gameDir, u"*.cfg"_s)) {
            const QString path = QFileInfo(gameDir + u'/' + name).absoluteFilePath();
            if (path != m_file)
                files.append(path);
        }
    FileBox1->clear();
    FileBox1->addItems(files);
    FileBox1->setCurrentIndex(0);
}

void VersionHistoryWindow::showFile(const QString& path) {
    ensureBuilt();
    m_file = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    fillFiles();
    fillVersions();
    showReportFor(m_file);
    show();
    raise();
    activateWindow();
    VersionList1->setFocus();
}

void VersionHistoryWindow::showReport(const QString& configPath, const ConfigChangeReport& report) {
    ensureBuilt();
    m_reports.insert(QFileInfo(configPath).absoluteFilePath(), report);
    MoveButton1->setEnabled(!report.droppedLines.isEmpty());
    showFile(configPath);
    // The player's version against the game's file: what the report tells, line by line.
    if (const std::optional<FileVersion> mine = playersVersion(m_ctx.state.versions(), m_file))
        for (qsizetype i = 0; i < m_versions.size(); ++i)
            if (m_versions[i].file == mine->file)
                VersionList1->setCurrentItem(VersionList1->topLevelItem(int(i)));
}

void VersionHistoryWindow::showReportFor(const QString& path) {
    const auto it = m_reports.constFind(path);
    ReportBox1->setVisible(it != m_reports.constEnd());
    if (it == m_reports.constEnd())
        return;
    ReportText1->setPlainText(it->text());
    MoveButton1->setEnabled(MoveButton1->isEnabled() && !it->droppedLines.isEmpty());
}

void VersionHistoryWindow::FileBox1Change() {
    m_file = FileBox1->currentText();
    fillVersions();
    showReportFor(m_file);
}

void VersionHistoryWindow::fillVersions() {
    const VersionStore store = m_ctx.state.versions();
    const textfile::BytesResult now = textfile::readBytes(m_file);
    m_current = now.ok() ? decoded(now.bytes) : QString();
    m_versions = store.versions(m_file);
    // Each version against the one before it: the lines that write added and removed.
    QList<QStringList> lines;
    for (const FileVersion& v : m_versions) {
        const textfile::BytesResult bytes = store.bytesOf(v);
        lines.append(bytes.ok() ? textLines(decoded(bytes.bytes)) : QStringList());
    }
    VersionList1->clear();
    for (qsizetype i = 0; i < m_versions.size(); ++i) {
        const FileVersion& v = m_versions[i];
        const DiffCounts counts =
            countChanges(diffLines(i + 1 < lines.size() ? lines[i + 1] : QStringList(), lines[i]));
        auto* item = new QTreeWidgetItem(
            VersionList1, {versionTime(v), versionSourceName(v.source), QString::number(v.size),
                           QString::number(counts.added), QString::number(counts.removed)});
        for (int c = 2; c < 5; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (v.source == VersionSource::OldCopy)
            item->setToolTip(0, v.file);
    }
    RestoreButton1->setEnabled(false);
    if (VersionList1->topLevelItemCount() > 0)
        VersionList1->setCurrentItem(VersionList1->topLevelItem(0));
    else {
        DiffView1->setPlainText(m_versions.isEmpty() && !m_file.isEmpty()
                                    ? u"Версий этого файла пока нет."_s
                                    : QString());
        DiffLeft1->clear();
        DiffRight1->clear();
    }
}

void VersionHistoryWindow::VersionList1Change() {
    RestoreButton1->setEnabled(VersionList1->currentIndex().isValid());
    showDifference();
}

void VersionHistoryWindow::DiffMode1Change() {
    const bool side = DiffMode1->currentIndex() == 1;
    DiffView1->setVisible(!side);
    SideBySide1->setVisible(side);
    showDifference();
}

void VersionHistoryWindow::showDifference() {
    const int row = VersionList1->currentIndex().row();
    if (row < 0 || row >= m_versions.size())
        return;
    const FileVersion& v = m_versions[row];
    const textfile::BytesResult bytes = m_ctx.state.versions().bytesOf(v);
    if (!bytes.ok()) {
        DiffView1->setPlainText(textfile::describeFailure(v.file, bytes.reason));
        return;
    }
    const QList<DiffLine> diff = diffLines(textLines(decoded(bytes.bytes)), textLines(m_current));
    const QString from = u"версия от "_s + versionTime(v);
    const QString to = u"файл сейчас"_s;
    if (DiffMode1->currentIndex() == 0) {
        DiffView1->clear();
        QTextCursor c(DiffView1->document());
        if (countChanges(diff).added + countChanges(diff).removed == 0) {
            appendLine(c, u"Версия совпадает с файлом."_s, QColor());
            return;
        }
        for (const QString& line : unifiedDiff(diff, from, to).split(u'\n')) {
            if (line.isEmpty())
                continue;
            const QChar mark = line.front();
            const QColor background =
                line.startsWith(u"@@"_s) || line.startsWith(u"---"_s) || line.startsWith(u"+++"_s)
                    ? kHeader
                : mark == u'-' ? kRemoved
                : mark == u'+' ? kAdded
                               : QColor();
            appendLine(c, line, background);
        }
        DiffView1->moveCursor(QTextCursor::Start);
        return;
    }
    DiffLeft1->clear();
    DiffRight1->clear();
    QTextCursor left(DiffLeft1->document());
    QTextCursor right(DiffRight1->document());
    appendLine(left, from, kHeader);
    appendLine(right, to, kHeader);
    // Removed lines face the added ones that took their place; the shorter side is filled with
    // empty lines so that the two stay line for line.
    for (qsizetype i = 0; i < diff.size();) {
        if (diff[i].kind == DiffLine::Kind::Same) {
            appendLine(left, diff[i].text, QColor());
            appendLine(right, diff[i].text, QColor());
            ++i;
            continue;
        }
        QStringList removed, added;
        while (i < diff.size() && diff[i].kind != DiffLine::Kind::Same) {
            (diff[i].kind == DiffLine::Kind::Removed ? removed : added).append(diff[i].text);
            ++i;
        }
        for (qsizetype k = 0; k < std::max(removed.size(), added.size()); ++k) {
            appendLine(left, k < removed.size() ? removed[k] : QString(),
                       k < removed.size() ? kRemoved : QColor());
            appendLine(right, k < added.size() ? added[k] : QString(),
                       k < added.size() ? kAdded : QColor());
        }
    }
    DiffLeft1->moveCursor(QTextCursor::Start);
    DiffRight1->moveCursor(QTextCursor::Start);
}

void VersionHistoryWindow::RestoreButton1Click() {
    const int row = VersionList1->currentIndex().row();
    if (row < 0 || row >= m_versions.size() || m_file.isEmpty())
        return;
    const FileVersion v = m_versions[row];
    if (m_ctx.dialogs.confirmYesNo(u"Вернуть в файл "_s + m_file + u" версию от "_s +
                                   versionTime(v) +
                                   u"?\nНынешний текст файла останется в "
                                   u"истории версий."_s) != UserDialogs::Answer::Yes)
        return;
    const textfile::WriteResult w = restoreVersion(m_ctx.state.versions(), m_file, v);
    if (!w.ok) {
        m_ctx.dialogs.error(u"Версия не восстановлена:\n"_s +
                            textfile::describeFailure(m_file, w.reason));
        return;
    }
    emit statusLineRequested(u"Восстановлена версия от "_s + versionTime(v));
    fillVersions();
}

void VersionHistoryWindow::MoveButton1Click() {
    const auto it = m_reports.constFind(m_file);
    if (it == m_reports.constEnd())
        return;
    const QString autoexec = QFileInfo(m_file).absolutePath() + u"/autoexec.cfg"_s;
    const MoveResult moved =
        moveLinesToAutoexec(m_ctx.state.versions(), autoexec, it->droppedLines);
    if (!moved.ok) {
        m_ctx.dialogs.error(moved.message);
        return;
    }
    MoveButton1->setEnabled(false);
    m_ctx.dialogs.information(moved.message);
}

void VersionHistoryWindow::RestoreMineButton1Click() {
    const std::optional<FileVersion> mine = playersVersion(m_ctx.state.versions(), m_file);
    if (!mine) {
        m_ctx.dialogs.warning(u"В истории нет вашей версии этого файла."_s);
        return;
    }
    const textfile::WriteResult w = restoreVersion(m_ctx.state.versions(), m_file, *mine);
    if (!w.ok) {
        m_ctx.dialogs.error(u"Версия не восстановлена:\n"_s +
                            textfile::describeFailure(m_file, w.reason));
        return;
    }
    m_reports.remove(m_file);
    showReportFor(m_file);
    emit statusLineRequested(u"Ваша версия config.cfg восстановлена (от "_s + versionTime(*mine) +
                             u")"_s);
    fillVersions();
}
