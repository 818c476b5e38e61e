// Reading the vocabulary ahead, on a thread of its own.
#include "language/vocabulary_preload.h"

#include <system_error>

VocabularyPreload::VocabularyPreload(const ProgramHome& home) {
    try {
        // The home is copied: the thread reads files only, nothing the windows change.
        m_read = startSideWork([home] {
            // The stamp first: a file changed while the words are read makes them stale.
            Read read;
            read.stamp = Vocabulary::sourcesStamp(home);
            read.words = Vocabulary::loadKept(home, read.stamp);
            return read;
        });
    } catch (const std::system_error&) {
        // No thread: the editor reads the words itself when it first needs them.
    }
}

VocabularyPreload::~VocabularyPreload() = default;

std::optional<VocabularyPreload::Read> VocabularyPreload::take() {
    if (!m_read.result.valid())
        return std::nullopt;
    return m_read.result.get();
}
