// Encoding the editor's text for a save. A large text is read in two halves at once: the second
// half is encoded into memory on another thread while the first goes to the file, so on a 16 MB
// config the save waits for half the reading and encoding.
#pragma once

#include "platform/text_form.h"

#include <QString>

class DocumentView;

struct DocumentEncoding {
    bool ok = true;      // false when the sink failed (the rest was not encoded)
    QString unencodable; // each character the form cannot hold, once, in order of appearance
};

// Hands the bytes of the view's text in `form` to `sink`, in order.
DocumentEncoding encodeDocument(const DocumentView& view, const textfile::TextForm& form,
                                const textfile::TextEncoder::Sink& sink);
