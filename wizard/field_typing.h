// What the wizard's fields make of what the player types: a double quote would end the value
// inside the config line, so it is refused; a number field takes a comma (typed on a Russian
// keyboard) as the decimal point the game reads.
#pragma once

#include <QString>

struct TypedField {
    QString text;
    int cursor = 0;
    bool quoteRefused = false; // the typed text held a double quote, now taken out
};

TypedField fixTypedField(const QString& text, int cursor, bool number);

// The note shown at a field that refused a double quote.
QString quoteRefusedNote();
