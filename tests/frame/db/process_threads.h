// What the process holds of threads and descriptors, and thread starts
// that fail as they do when a process has used up its threads or memory.
#pragma once

#include <cstddef>

namespace db_test {

// The process's threads (/proc/self/task) and open descriptors
// (/proc/self/fd, not counting the one that reads it).
size_t ThreadCount();
size_t DescriptorCount();

// From now on, every thread the calling thread tries to start fails to
// start (pthread_create answers EAGAIN); other threads are not affected,
// and processes still start. For good: call it on a thread of the test's
// own. False when this machine cannot do it.
bool ForbidNewThreadsOnThisThread();

}  // namespace db_test
