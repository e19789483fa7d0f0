// Names of test cases. Parameterised GoogleTest cases take readable names from their
// descriptions ("alternate, loaders keep registers" becomes
// "alternate_loaders_keep_registers"), so ctest lists and filters cases by what they test
// instead of by index; golden cases take the names of their files.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace test_support {

inline std::string IdentifierFrom(const char* description) {
    std::string name;
    for (const char* p = description; *p != '\0'; ++p) {
        if (std::isalnum(static_cast<unsigned char>(*p))) {
            name.push_back(*p);
        } else if (!name.empty() && name.back() != '_') {
            name.push_back('_');
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

// Name generator for INSTANTIATE_TEST_SUITE_P over structs with a `what` member.
struct NameFromWhat {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const {
        return IdentifierFrom(param.param.what);
    }
};

// The golden cases in a folder: the names of its NAME.ini files, without extension, sorted.
// The folder is listed when the test runs, so a new pair of files needs no rebuild.
std::vector<std::string> GoldenNames(const std::string& folder);

}  // namespace test_support
