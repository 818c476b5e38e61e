// How the program's allocator treats large blocks. A config's text is copied whole by several
// commands (the check, a save, the wizard), a few megabytes at a time; by default each freed copy
// goes back to the system and the next one is faulted in again page by page, which on some
// machines costs more than the work itself. The program keeps freed memory for reuse instead.
#pragma once

#include <cstddef>

// Call once at start, before the first large allocation.
void keepFreedMemoryForReuse();

// A block of many megabytes about to be written whole (a new copy of a large text) asks for
// large pages where the system gives them on request: a few faults in place of thousands.
void preferLargePages(void* data, size_t bytes);
