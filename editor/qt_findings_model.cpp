// The check list's rows.
#include "editor/qt_findings_model.h"

#include <QListView>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;

FindingsModel::FindingsModel(const QStyle* style, QObject* parent)
    : QAbstractListModel(parent), m_style(style) {}

const QIcon& FindingsModel::icon(ConfigFinding::Kind kind) const {
    const bool warning = kind == ConfigFinding::Kind::Warning;
    QIcon& made = warning ? m_warning : m_information;
    if (made.isNull() && m_style)
        made = m_style->standardIcon(warning ? QStyle::SP_MessageBoxWarning
                                             : QStyle::SP_MessageBoxInformation);
    return made;
}

void FindingsModel::setReport(ConfigReport report) {
    beginResetModel();
    m_report = std::move(report);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_report.isEmpty() ? 1 : int(m_report.size());
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (m_report.isEmpty())
        return role == Qt::DisplayRole ? QVariant(u"Замечаний нет"_s) : QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the whole text, however narrow the list
        return findingCaption(m_report.line(row), m_report.message(row));
    case Qt::DecorationRole:
        return icon(m_report.kind(row));
    case kLineRole:
        return m_report.line(row);
    default:
        return {};
    }
}

QListView* makeFindingsView(FindingsModel* model, QWidget* parent) {
    auto* view = new QListView(parent);
    view->setIconSize(QSize(16, 16));
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setModel(model);
    return view;
}
