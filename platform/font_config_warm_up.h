// The system's font configuration read on a thread of its own from the program's first moment.
// Reading it (some forty configuration files and the font caches) is about a fifth of the
// program's start, and Qt does it on the main thread at the first text it lays out; begun here,
// it goes on beside the loading of Qt's plugins and the building of the windows, and Qt's first
// font finds it read. Where the system has no fontconfig nothing happens.
#pragma once

#include <thread>

class FontConfigWarmUp {
public:
    FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;
    // Waits for the reading to end: before the first text is laid out, so that Qt does not
    // begin the same reading a second time.
    void wait();
    ~FontConfigWarmUp() { wait(); }

private:
    std::thread m_thread;
};
