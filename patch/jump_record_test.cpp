#include "patch/jump_record.h"

#include <gtest/gtest.h>

namespace patch {
namespace {

struct JumpCase {
    const char* what;
    host::Address site;
    host::Address target;
    JumpRecord expected;
};

class JumpRecordTest : public testing::TestWithParam<JumpCase> {};

TEST_P(JumpRecordTest, EncodesDisplacementFromEndOfRecord) {
    const JumpCase& c = GetParam();
    EXPECT_EQ(MakeJumpRecord(c.site, c.target), c.expected) << c.what;
    EXPECT_EQ(JumpRecordTarget(c.site, c.expected), c.target) << c.what;
}

constexpr host::Address kSite = host::kCostumeLoadSite;

INSTANTIATE_TEST_SUITE_P(
    Displacements, JumpRecordTest,
    testing::Values(
        JumpCase{"target right after the record", kSite, kSite + 5, {0xE9, 0, 0, 0, 0}},
        JumpCase{"16 bytes beyond the record", kSite, kSite + 5 + 16, {0xE9, 0x10, 0, 0, 0}},
        JumpCase{
            "one byte below the record's end", kSite, kSite + 4, {0xE9, 0xFF, 0xFF, 0xFF, 0xFF}},
        JumpCase{"backwards onto the site itself", kSite, kSite, {0xE9, 0xFB, 0xFF, 0xFF, 0xFF}},
        JumpCase{"far forward, little-endian byte order",
                 0x00001000,
                 0x12345678 + 0x00001005,
                 {0xE9, 0x78, 0x56, 0x34, 0x12}},
        JumpCase{"target below address zero wraps modulo 2^32",
                 0x00000010,
                 0xFFFFFFF0,
                 {0xE9, 0xDB, 0xFF, 0xFF, 0xFF}},
        JumpCase{"site near the top of the address space wraps forward",
                 0xFFFFFFF0,
                 0x00000010,
                 {0xE9, 0x1B, 0x00, 0x00, 0x00}}));

}  // namespace
}  // namespace patch
