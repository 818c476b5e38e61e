// Puts the wizard's typing rules on a line edit: a double quote is taken out with a note at the
// field, and a number field turns a comma into a point.
#pragma once

class QLineEdit;

void guardFieldTyping(QLineEdit* edit, bool number);
