#pragma once

// Where tvl3host is linked with tcmalloc on Linux, the memory tcmalloc takes from the system is faulted in
// by a thread of its own a little ahead of use: a large scene is hundreds of megabytes of fresh pages,
// and faulting each in would otherwise stop the thread that reads and builds it. Elsewhere, does nothing.
// Called once, first thing in main.
void StartWarmHeap();
