// Register comparisons between two sim::Cpu states that name the register at fault, such as
// "ebx changed: entry 0x0BADF00D exit 0x00000000", rather than two bare numbers. Each returns
// an AssertionResult: EXPECT_TRUE(RegistersKept(...)) reports the test's own line and every
// register that failed, in one message.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "sim/game.h"

namespace test_support {

using CpuRegister = std::uint32_t sim::Cpu::*;

// Every register in `registers` holds at exit what it held at entry.
testing::AssertionResult RegistersKept(const sim::Cpu& entry, const sim::Cpu& exit,
                                       std::initializer_list<CpuRegister> registers);

// Every register in `registers` holds at exit something other than at entry: for the game's
// stand-ins, which overwrite what the game does not promise to keep.
testing::AssertionResult RegistersOverwritten(const sim::Cpu& entry, const sim::Cpu& exit,
                                              std::initializer_list<CpuRegister> registers);

}  // namespace test_support
