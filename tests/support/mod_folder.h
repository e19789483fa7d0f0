// A scratch folder standing in for the plug-in's folder in the mods directory, removed
// again (with its config.ini, file or directory) when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace test_support {

class ModFolder {
  public:
    ModFolder() {
        char name[] = "/tmp/vessa-mod-XXXXXX";
        if (mkdtemp(name) != nullptr) {
            path_ = name;
        }
    }
    ~ModFolder() {
        std::remove(ConfigPath().c_str());
        rmdir(ConfigPath().c_str());
        rmdir(path_.c_str());
    }
    ModFolder(const ModFolder&) = delete;
    ModFolder& operator=(const ModFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string ConfigPath() const { return path_ + "/config.ini"; }

    // Writes config.ini byte for byte.
    void WriteConfig(const std::string& bytes) const {
        std::FILE* f = std::fopen(ConfigPath().c_str(), "wb");
        ASSERT_NE(f, nullptr) << ConfigPath();
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
    }

  private:
    std::string path_;
};

}  // namespace test_support
