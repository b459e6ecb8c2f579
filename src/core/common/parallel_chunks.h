#pragma once

#include <cstddef>
#include <functional>

// Runs `run(begin, end)` over [0, count) in chunks of `chunk` items and waits
// for all of them. `workers` threads in a pool of their own (0: the global
// pool); one worker, or no more than one chunk, runs here on this thread.
// Chunks must write only their own slots, so the result is the one-thread one.
void ForEachChunk(size_t count, size_t chunk, int workers, const std::function<void(size_t, size_t)>& run);
