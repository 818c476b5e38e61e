// The vocabulary read on a thread of its own while the program starts. The editor colours its
// first screen with it, and reading it (a hundred small files of the program's tree) takes a few
// milliseconds that the building of the windows can hide.
#pragma once

#include "language/vocabulary.h"
#include "platform/side_thread.h"

#include <optional>

class VocabularyPreload {
public:
    // Starts reading the words of `home`; without a thread to be had, nothing is read ahead.
    explicit VocabularyPreload(const ProgramHome& home);
    VocabularyPreload(const VocabularyPreload&) = delete;
    VocabularyPreload& operator=(const VocabularyPreload&) = delete;
    ~VocabularyPreload(); // waits for the reading

    struct Read {
        QString stamp; // Vocabulary::sourcesStamp of the files read
        Vocabulary words;
    };
    // The words, waiting for them if need be; once (then nothing).
    std::optional<Read> take();

private:
    SideWork<Read> m_read;
};
