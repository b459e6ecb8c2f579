#pragma once

// Caps the C library's allocator at a few arenas. Every worker thread would
// otherwise get an arena of its own, and pictures decoded there and freed on
// the window's thread leave those arenas holding memory the process never
// gives back (about 100 MB more resident with the thumbnail pane open on a
// large collection). Call before the first worker thread starts.
void LimitAllocatorArenas();

// Hands the free memory of every arena back to the system. Called once a
// large piece of work done on workers (a thumbnail strip, the class tree, the
// list index) has been let go of: the workers' arenas keep it otherwise.
void ReturnFreedMemory();
