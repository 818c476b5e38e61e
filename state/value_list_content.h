// What the value list window shows: the entries of the list file loaded last and the caption of
// its label naming the chosen category. The reference window and the list loader fill it; the
// value list window draws it and follows its signals.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ValueListContent : public QObject {
    Q_OBJECT
public:
    const QStringList& entries() const { return m_entries; }
    void setEntries(const QStringList& entries);

    // The caption of the value list's label ("Выбор: (CMD) Standart").
    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

signals:
    void entriesChanged();
    void captionChanged();

private:
    QStringList m_entries;
    QString m_caption = QStringLiteral("Выбор: ");
};
