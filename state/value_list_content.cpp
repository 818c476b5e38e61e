// The value list's content.
#include "state/value_list_content.h"

void ValueListContent::setEntries(const QStringList& entries) {
    m_entries = entries;
    emit entriesChanged();
}

void ValueListContent::setCaption(const QString& caption) {
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit captionChanged();
}
