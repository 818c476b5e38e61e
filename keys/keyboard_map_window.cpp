// "Карта клавиш".
#include "keys/keyboard_map_window.h"

#include "keys/config_set_keys.h"
#include "language/vocabulary.h"
#include "keys/key_description.h"
#include "keys/key_layout.h"
#include "keys/qt_keyboard_view.h"
#include "metabinds/metabind_format.h"
#include "metabinds/metabind_listing.h"
#include "platform/text_file.h"
#include "platform/user_dialogs.h"
#include "reference/explanations.h"
#include "widgets/qt_widget_helpers.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {
// More changed lines than this are read with the rest of the document in one pass.
constexpr int kLinesReadOneByOne = 2000;
// Typing settles before the map is resolved again.
constexpr int kResolveDelayMs = 120;
} // namespace

KeyboardMapWindow::KeyboardMapWindow(AppContext& ctx, QWidget* parent)
    : BuiltOnFirstShow(parent, Qt::Window), m_ctx(ctx) {
    setObjectName(u"KeyMap"_s);
    setWindowTitle(u"Карта клавиш"_s);
    m_resolveTimer = new QTimer(this);
    m_resolveTimer->setSingleShot(true);
    m_resolveTimer->setInterval(kResolveDelayMs);
    connect(m_resolveTimer, &QTimer::timeout, this, &KeyboardMapWindow::resolveNow);
}

void KeyboardMapWindow::buildContents() {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* filterLabel = new QLabel(u"Фильтр:"_s, this);
    EditFilter = new QLineEdit(this);
    EditFilter->setObjectName(u"EditFilter"_s);
    EditFilter->setPlaceholderText(u"+attack, buy, say ..."_s);
    EditFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(EditFilter);
    ButtonSave = new QPushButton(u"Сохранить картинку"_s, this);
    ButtonSave->setObjectName(u"ButtonSave"_s);
    row->addWidget(filterLabel);
    row->addWidget(EditFilter, 1);
    row->addWidget(ButtonSave);
    layout->addLayout(row);
    MapView = new KeyboardView(this);
    MapView->setDescriber([this](const QString& key) { return describe(key); });
    layout->addWidget(MapView, 1);
    LabelHint = new QLabel(u"Наведите указатель на клавишу, чтобы увидеть её строки и команды; "
                           u"щелчок переводит курсор редактора на строку bind."_s,
                           this);
    LabelHint->setObjectName(u"LabelHint"_s);
    LabelHint->setWordWrap(true);
    layout->addWidget(LabelHint);
    // The editor is often under the map: the line a click went to is named here.
    LabelLine = new QLabel(this);
    LabelLine->setObjectName(u"LabelLine"_s);
    LabelLine->setTextFormat(Qt::PlainText);
    LabelLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(LabelLine);
    connect(EditFilter, &QLineEdit::textChanged, this, &KeyboardMapWindow::EditFilterChange);
    connect(ButtonSave, &QPushButton::clicked, this, &KeyboardMapWindow::ButtonSaveClick);
    connect(MapView, &KeyboardView::keyClicked, this, &KeyboardMapWindow::MapViewKeyClick);
    resize(MapView->sizeHint() + QSize(24, 90));
}

const KeyMapResult& KeyboardMapWindow::map() const {
    ensureBuilt();
    return MapView->map();
}

void KeyboardMapWindow::followDocument(QTextDocument* document) {
    if (m_document)
        disconnect(m_document, nullptr, this, nullptr);
    m_document = document;
    m_stale = true;
    if (document)
        connect(document, &QTextDocument::contentsChange, this,
                &KeyboardMapWindow::documentChanged);
    if (isVisible())
        readWholeDocument();
}

void KeyboardMapWindow::showMap() {
    if (!m_placed) {
        // The first opening: caps large enough for their text, centred on the main window's
        // screen and never larger than it.
        m_placed = true;
        ensureBuilt();
        const QRect screenArea =
            (parentWidget() ? parentWidget() : this)->screen()->availableGeometry();
        const double unit = fontMetrics().height() * 3.3;
        const QSizeF keys = keyboardLayoutSize() * unit;
        const QSize wanted(int(keys.width()) + 40,
                           int(keys.height()) + fontMetrics().height() * 10);
        resize(wanted.boundedTo(screenArea.size() * 0.95));
        centreFrameOn(this, screenArea, parentWidget());
    }
    if (isVisible()) {
        // Brought to the front: the other files may have changed since it was shown.
        readConfigSet();
        resolveNow();
    }
    show();
    raise();
    activateWindow();
}

void KeyboardMapWindow::showEvent(QShowEvent* e) {
    BuiltOnFirstShow::showEvent(e);
    if (!m_metaBindsRead)
        readMetaBinds();
    readConfigSet();
    if (m_stale)
        readWholeDocument();
    else
        resolveNow();
}

void KeyboardMapWindow::readConfigSet() {
    static const Vocabulary none;
    m_set = configSetKeys(runForDocument(m_ctx.state.games.gameDir,
                                         m_documentPath ? m_documentPath() : QString(),
                                         m_document ? m_document->toPlainText() : QString(),
                                         m_words ? m_words() : none));
}

void KeyboardMapWindow::readMetaBinds() {
    m_metaBindsRead = true;
    const metabind::Listing listing = metabind::listMetaBinds(m_ctx.state.home);
    for (int i = 0; i < listing.paths.count(); ++i) {
        const metabind::MetaBindFile file = metabind::readMetaBind(listing.paths.at(i));
        if (!file.ok())
            continue;
        const QHash<QString, QString> bodies = aliasBodiesDefinedBy(file.script);
        for (auto it = bodies.cbegin(); it != bodies.cend(); ++it)
            m_metaBinds.insert(it.key(), {listing.names.value(i), it.value()});
    }
}

void KeyboardMapWindow::readWholeDocument() {
    m_lines.setText(m_document ? m_document->toPlainText() : QString());
    m_stale = false;
    resolveNow();
}

void KeyboardMapWindow::documentChanged(int position, int /*removed*/, int added) {
    // Until the map has read the document once nothing is kept; after that the kept lines follow
    // every edit, shown or hidden, so a showing after an edit reads no more than the edit did.
    if (m_stale || !m_document) {
        m_stale = true;
        return;
    }
    // The blocks from the one the change starts in to the one it ends in replace as many old
    // lines as were there before, which the change of the block count tells.
    QTextDocument* doc = m_document;
    const int first = doc->findBlock(position).blockNumber();
    QTextBlock last = doc->findBlock(position + added);
    if (!last.isValid())
        last = doc->lastBlock();
    const int newLines = last.blockNumber() - first + 1;
    const int oldLines = newLines - (doc->blockCount() - m_lines.lineCount());
    if (first < 0 || oldLines < 0 || newLines > kLinesReadOneByOne) {
        // A hidden map leaves a large change to its next showing, which reads the whole text.
        if (isVisible())
            readWholeDocument();
        else
            m_stale = true;
        return;
    }
    QStringList texts;
    texts.reserve(newLines);
    for (QTextBlock b = doc->findBlockByNumber(first);
         b.isValid() && b.blockNumber() <= last.blockNumber(); b = b.next())
        texts.append(b.text());
    // A hidden map is resolved at its next showing.
    if (m_lines.replaceLines(first, oldLines, texts) && isVisible())
        m_resolveTimer->start();
}

void KeyboardMapWindow::resolveNow() {
    m_resolveTimer->stop();
    ensureBuilt();
    MapView->setMap(resolveKeyMap(m_lines, m_metaBinds, m_set.aliases, m_set.binds));
}

QString KeyboardMapWindow::describe(const QString& key) const {
    KeyDescriptionSources sources;
    sources.lineText = [this](int line) {
        return m_document ? m_document->findBlockByNumber(line).text() : QString();
    };
    sources.explanation = [this](const QString& name) {
        const QString text = ReadIni2(m_ctx.state, QString(), name);
        return text == u" ????"_s ? QString() : text;
    };
    return keyDescription(key, MapView->map().binding(key), sources);
}

void KeyboardMapWindow::EditFilterChange() {
    MapView->setFilter(EditFilter->text());
}

void KeyboardMapWindow::MapViewKeyClick(const QString& key) {
    if (m_resolveTimer->isActive())
        resolveNow();
    const int line = lineForKey(MapView->map(), key);
    if (line >= 0) {
        emit lineRequested(line);
        const QString text =
            m_document ? m_document->findBlockByNumber(line).text().trimmed() : QString();
        LabelLine->setText(
            u"%1: строка %2 конфига, курсор редактора стоит на ней: %3"_s.arg(key)
                .arg(line + 1)
                .arg(fontMetrics().elidedText(text, Qt::ElideRight, std::max(200, width() / 2))));
        return;
    }
    const QString bind = newBindLine(key);
    if (m_ctx.dialogs.confirmYesNo(u"Клавиша %1 свободна. Добавить в конфиг строку\n%2 ?"_s.arg(
            key, bind)) == UserDialogs::Answer::Yes)
        emit bindLineRequested(bind);
}

void KeyboardMapWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    BuiltOnFirstShow::keyPressEvent(e);
}

void KeyboardMapWindow::ButtonSaveClick() {
    UserDialogs::FileDialogOptions options;
    options.title = u"Сохранить картинку"_s;
    options.filter = u"Картинка PNG (*.png)|*.png"_s;
    options.directory = m_ctx.state.games.gameDir;
    options.fileName = u"keymap.png"_s;
    const UserDialogs::FileDialogResult chosen = m_ctx.dialogs.saveFile(options);
    if (!chosen.accepted || chosen.fileName.isEmpty())
        return;
    QString path = chosen.fileName;
    if (QFileInfo(path).suffix().compare(u"png"_s, Qt::CaseInsensitive) != 0)
        path += u".png"_s;
    if (QFileInfo::exists(path) &&
        m_ctx.dialogs.confirmYesNo(path + u"\nЗаменить данный файл?"_s) != UserDialogs::Answer::Yes)
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    MapView->picture(MapView->size().expandedTo(MapView->minimumSizeHint())).save(&buffer, "PNG");
    const textfile::WriteResult written = textfile::writeBytes(path, bytes);
    if (!written.ok)
        m_ctx.dialogs.error(textfile::describeFailure(path, written.reason));
}
