#pragma once

#include <functional>
#include <string>

// The host's scene as a scene file, in its canonical form. Nodes are numbered first, in tree order; then
// objects in the order they are met: from the nodes' materials, the editor slots 0 to 23 and the effect
// list, each object followed by what its references hold, in reference order (blocks inline). Two-space
// indentation; an array or object that holds no object is written on one line.
//
// The text goes to `write` in pieces as it is made, each piece a whole number of entries, so a scene of
// any size is written without its whole text in memory. `progress`, when given, hears the share of
// objects written so far (0 to 100). The objects' text is made on `threads` threads side by side (0: one
// per processor) while the host's scene is only read; `write` and `progress` are called on the caller's
// thread. The text does not depend on the number of threads.
void WriteScene(const std::function<void(const std::string&)>& write,
                const std::function<void(int)>& progress = nullptr, unsigned threads = 0);
