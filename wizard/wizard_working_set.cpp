// The working set's rule for its documents: mem1 may be written back over the chosen file only
// while it holds that file's text.
#include "wizard/wizard_working_set.h"

void WizardWorkingSet::chosenFileRead(const QString& text) {
    mem1.setText(text);
    m_chosenReadable = true;
}

void WizardWorkingSet::chosenFileUnreadable(const QString& messageLine) {
    mem1.setText(messageLine);
    m_chosenReadable = false;
}

void WizardWorkingSet::dropDocuments() {
    mem1.clear();
    mem2.clear();
    m_chosenReadable = false;
    autoexecReadable = false;
}
