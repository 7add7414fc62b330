#pragma once
// Where a control's record serials start. A serial names its record (the
// record's key, and the serial its accessible-name block carries), so two
// controls alive in one process never share one: each control holds the
// lowest free block of serials while it lives. The first control of a
// process counts from 1001 as ever; a second alive at the same time counts
// from the next block.
#include <windows.h>

namespace quillon {

class ItemSerialBlock {
public:
    static constexpr LONG kFirstBase = 1000;
    static constexpr LONG kBlockSize = 0x01000000;  // serials per control

    ItemSerialBlock();
    ~ItemSerialBlock();
    ItemSerialBlock(const ItemSerialBlock&) = delete;
    ItemSerialBlock& operator=(const ItemSerialBlock&) = delete;

    // The serial before the block's first (the first record gets Base() + 1).
    LONG Base() const noexcept { return kFirstBase + m_index * kBlockSize; }

private:
    LONG m_index;
};

}  // namespace quillon
