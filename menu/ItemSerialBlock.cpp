#include "menu/ItemSerialBlock.h"
#include <mutex>
#include <set>

namespace quillon {
namespace {

// Controls of several apartments (threads) take blocks from one set.
std::mutex& BlocksLock() {
    static std::mutex lock;
    return lock;
}

std::set<LONG>& BlocksInUse() {
    static std::set<LONG> used;
    return used;
}

}  // namespace

ItemSerialBlock::ItemSerialBlock() {
    std::lock_guard<std::mutex> guard(BlocksLock());
    std::set<LONG>& used = BlocksInUse();
    LONG index = 0;
    for (LONG taken : used) {
        if (taken != index) break;
        ++index;
    }
    // Past the last block the serials would overflow: share the last one.
    constexpr LONG kLastIndex = (0x7FFFFFFF - kFirstBase) / kBlockSize - 1;
    if (index > kLastIndex) index = kLastIndex;
    used.insert(index);
    m_index = index;
}

ItemSerialBlock::~ItemSerialBlock() {
    std::lock_guard<std::mutex> guard(BlocksLock());
    BlocksInUse().erase(m_index);
}

}  // namespace quillon
