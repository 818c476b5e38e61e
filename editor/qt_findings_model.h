// The rows of the check list under the editor: one per finding ("Строка 12: ..." with a warning
// or an information icon), or the one line "Замечаний нет". Captions (the messages with them)
// are written when a row is shown, so a list of a hundred thousand findings costs no more to
// fill than a short one.
#pragma once

#include "language/config_check.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QPointer>
#include <QStyle>

class QListView;
class QWidget;

class FindingsModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The finding's line (0-based) on a finding's row; nothing on "Замечаний нет".
    static constexpr int kLineRole = Qt::UserRole;

    // The style's warning and information icons are shown beside the findings of each kind
    // (made at the first finding shown: the list is empty at start).
    FindingsModel(const QStyle* style, QObject* parent);

    void setReport(ConfigReport report);
    const ConfigReport& report() const { return m_report; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const QIcon& icon(ConfigFinding::Kind kind) const;

    ConfigReport m_report;
    QPointer<const QStyle> m_style;
    mutable QIcon m_warning;
    mutable QIcon m_information;
};

// The list view the check list is: every row one line of text with a 16-pixel icon, so the view
// measures one row, not every row of a long list; read-only.
QListView* makeFindingsView(FindingsModel* model, QWidget* parent);
