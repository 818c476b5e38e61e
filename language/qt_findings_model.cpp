// The check list's rows.
#include "language/qt_findings_model.h"

#include <QListView>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;

FindingsModel::FindingsModel(const QStyle* style, QObject* parent)
    : QAbstractListModel(parent), m_warning(style->standardIcon(QStyle::SP_MessageBoxWarning)),
      m_information(style->standardIcon(QStyle::SP_MessageBoxInformation)) {}

void FindingsModel::setFindings(QList<ConfigFinding> findings) {
    beginResetModel();
    m_findings = std::move(findings);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_findings.isEmpty() ? 1 : int(m_findings.size());
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (m_findings.isEmpty())
        return role == Qt::DisplayRole ? QVariant(u"Замечаний нет"_s) : QVariant();
    const ConfigFinding& f = m_findings.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return findingCaption(f);
    case Qt::DecorationRole:
        return f.kind == ConfigFinding::Kind::Warning ? m_warning : m_information;
    case kLineRole:
        return f.line;
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
