#pragma once

#include <functional>

// Runs `work` on a thread of its own while this thread's event loop keeps
// running, so the window paints and answers while the disk is read. A click
// or a key cannot start a second command meanwhile (user input waits until
// the work is done), nor can a network peer (its sockets wait too). Returns
// when the work is done; an exception it throws is thrown here. `work` must
// touch no widget and nothing this thread may change meanwhile.
void RunOffWindowThread(const std::function<void()>& work);
