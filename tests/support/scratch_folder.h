// A scratch folder of our own under /tmp, removed with everything in it when the object goes
// away: the plug-in's folder in the mods directory for the tests, the home of a TempFile, and
// vessa-sim's second mod folder. It uses no GoogleTest, so vessa-sim can use it too; callers
// check WriteFile's result in their own way.
#pragma once

#include <stdlib.h>  // mkdtemp (POSIX)

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace test_support {

class ScratchFolder {
  public:
    // Makes /tmp/PREFIX-XXXXXX with a fresh suffix; Path() stays empty when it cannot.
    explicit ScratchFolder(std::string_view prefix = "vessa-test") {
        std::string pattern = "/tmp/" + std::string(prefix) + "-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    // Whatever a test left inside goes too: files, and folders such as a config.ini that is
    // a directory. A failure here must not end the test, so it is ignored.
    ~ScratchFolder() {
        if (!path_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(std::string_view name) const { return path_ + "/" + std::string(name); }

    // Writes the file `name` in the folder byte for byte, replacing an earlier one; false
    // when the folder or the file cannot be written.
    [[nodiscard]] bool WriteFile(std::string_view name, std::string_view bytes) const {
        if (path_.empty()) {
            return false;
        }
        std::FILE* file = std::fopen(PathOf(name).c_str(), "wb");
        if (file == nullptr) {
            return false;
        }
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written;
    }

  private:
    std::string path_;
};

}  // namespace test_support
