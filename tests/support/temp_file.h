// Single files for the tests: one holding exactly the given bytes, read by the INI reader
// or handed to a program as its stdout or stderr, and the whole content of a file read back.
#pragma once

#include <string>
#include <string_view>

#include "tests/support/scratch_folder.h"

namespace test_support {

// A file holding exactly `bytes`, alone in a scratch folder of its own; both are removed
// again when the object goes away. A file that cannot be made fails the running test.
class TempFile {
  public:
    explicit TempFile(std::string_view bytes);

    const std::string& Path() const { return path_; }

  private:
    ScratchFolder folder_;
    std::string path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

}  // namespace test_support
