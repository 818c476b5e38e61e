// The check list's rows.
#include "language/qt_findings_model.h"

#include <QListView>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;

FindingsModel::FindingsModel(const QStyle* style, QObject* parent)
    : QAbstractListModel(parent), m_warning(style->standardIcon(QStyle::SP_MessageBoxWarning)),
      m_information(style->standardIcon(QStyle::SP_MessageBoxInformation)) {}

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
        return findingCaption(m_report.line(row), m_report.message(row));
    case Qt::DecorationRole:
        return m_report.kind(row) == ConfigFinding::Kind::Warning ? m_warning : m_information;
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
