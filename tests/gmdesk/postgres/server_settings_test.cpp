// Filled in by its own change.
#include <gtest/gtest.h>
