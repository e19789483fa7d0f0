// Readable names for parameterised GoogleTest cases, built from each case's description:
// "alternate, loaders keep registers" becomes "alternate_loaders_keep_registers", so ctest
// lists and filters cases by what they test instead of by index.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

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

}  // namespace test_support
