// Whether the program's shipped reference tree can be read: the start says so once when it
// cannot, and then nothing else repeats it.
#pragma once

class ProgramHome;

// True when the shipped tree's "dlls" folder exists and can be listed.
bool shippedTreeReadable(const ProgramHome& home);
