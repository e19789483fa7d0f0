#include "tests/support/case_names.h"

#include <algorithm>
#include <filesystem>

namespace test_support {

std::vector<std::string> GoldenNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".ini") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace test_support
