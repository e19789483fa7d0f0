#include "patch/jump_record.h"

namespace patch {

JumpRecord MakeJumpRecord(host::Address site, host::Address target) {
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the rel32 encoding.
    const std::uint32_t displacement = target - (site + kJumpRecordSize);
    return {kJumpOpcode, static_cast<std::uint8_t>(displacement),
            static_cast<std::uint8_t>(displacement >> 8),
            static_cast<std::uint8_t>(displacement >> 16),
            static_cast<std::uint8_t>(displacement >> 24)};
}

host::Address JumpRecordTarget(host::Address site, const JumpRecord& record) {
    const std::uint32_t displacement = std::uint32_t{record[1]} | std::uint32_t{record[2]} << 8 |
                                       std::uint32_t{record[3]} << 16 |
                                       std::uint32_t{record[4]} << 24;
    return site + kJumpRecordSize + displacement;
}

}  // namespace patch
