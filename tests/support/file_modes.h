// Whether this platform keeps a file's readers in its permission bits
// (Linux) or elsewhere (Windows: the folder's access lists).
#pragma once

namespace testing_support {

bool FileModesSayWhoMayRead();

}  // namespace testing_support
