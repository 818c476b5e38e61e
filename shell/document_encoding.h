// Encoding the editor's text for a save. A text of kTwoThreadsFrom characters or more is read
// in stretches of whole lines on two threads at once, each taking the next stretch left: a
// helping thread encodes into memory, and the program's own thread encodes straight to the file
// when every stretch before is out, and writes the helper's in their turn. On a 16 MB config the
// save waits for about half the reading and encoding, and the file grows steadily for the disk to
// take as it is written.
#pragma once

#include "platform/text_form.h"

#include <QString>

class DocumentView;

struct DocumentEncoding {
    bool ok = true;      // false when the sink failed (the rest was not encoded)
    QString unencodable; // each character the form cannot hold, once, in order of appearance
};

// Below this many characters a second thread costs more CPU time than the wall-clock time it
// saves (starting it, and the stretches it encodes copied into memory), so the text is
// encoded in one pass on the calling thread.
inline constexpr qsizetype kTwoThreadsFrom = 8 * 1024 * 1024;

// Hands the bytes of the view's text in `form` to `sink`, in order, from the calling thread;
// a text of `twoThreadsFrom` characters or more is encoded on two threads.
// With no sink only the characters the form cannot hold are found.
DocumentEncoding encodeDocument(const DocumentView& view, const textfile::TextForm& form,
                                const textfile::TextEncoder::Sink& sink,
                                qsizetype twoThreadsFrom = kTwoThreadsFrom);
