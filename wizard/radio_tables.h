// The game's radio messages as the page's radio list offers them: the list's 24 entries with the
// keys that send each message and the name of its sound file.
#pragma once

#include <QString>
#include <span>

namespace radio {

// An empty text marks an entry that sends nothing: the first entry and the two separators
// between the game's three radio menus.
struct Message {
    QString text;
    QString menuSequence;
    QString soundName;
    bool sendsNothing() const { return text.isEmpty(); }
};

std::span<const Message> messages();

// "<wizard folder>/sound/radio/<soundName>.wav", the folders and the file found without regard
// to letter case; empty when the entry has no sound or the file does not exist.
QString soundFile(const QString& wizardFolder, int entry);

} // namespace radio
