#pragma once

#include "paylib/sepa/SepaPaymentBuilder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace paylib {

class TempFile;

// The payment-info blocks of one file, in the order their first entries came, with their
// totals, and where each block's entries lie in a scratch file: runs of consecutive entries
// chained on disk, so memory grows with the number of blocks, never with the entries.
class SepaBlocks {
public:
    static constexpr std::uint64_t kNoRun = ~std::uint64_t{0};

    struct Block {
        SepaPaymentBuilder::Block fields;
        std::int64_t count = 0;
        std::int64_t sumCents = 0;
        std::uint64_t firstRun = kNoRun;
        std::uint64_t lastRun = kNoRun;
    };

    // Null when the run file cannot be created in `directory`.
    static std::unique_ptr<SepaBlocks> create(const std::string& directory);
    ~SepaBlocks();

    // Index of the block with this key, or size() when there is none yet.
    std::size_t find(const std::string& key) const;
    std::size_t add(const std::string& key, const SepaPaymentBuilder::Block& fields);
    // Forgets the block added last, which must have no entries.
    void removeLast();
    std::size_t size() const { return m_blocks.size(); }
    Block& operator[](std::size_t index) { return m_blocks[index]; }
    const Block& operator[](std::size_t index) const { return m_blocks[index]; }

    // Records that the block's next entry lies at [start, end) of the scratch file. False
    // when the run before could not be stored; then nothing changed.
    bool noteEntry(std::size_t block, std::uint64_t start, std::uint64_t end);
    // Stores the open run; after that only runs() is used.
    bool finish();
    // Calls `copy(start, end)` for each run of the block in order; false on a read failure
    // or when `copy` fails.
    template <typename Copy> bool runs(const Block& block, Copy&& copy) const;

private:
    explicit SepaBlocks(std::unique_ptr<TempFile> runFile);
    bool storeOpenRun();
    bool readRun(std::uint64_t at, std::uint64_t& start, std::uint64_t& end,
                 std::uint64_t& next) const;

    std::unique_ptr<TempFile> m_runFile;
    std::vector<Block> m_blocks;
    std::unordered_map<std::string, std::size_t> m_byKey;
    std::size_t m_openBlock = 0;
    std::uint64_t m_openStart = 0;
    std::uint64_t m_openEnd = 0;
    bool m_open = false;
};

template <typename Copy> bool SepaBlocks::runs(const Block& block, Copy&& copy) const {
    std::uint64_t at = block.firstRun;
    while (at != kNoRun) {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        if (!readRun(at, start, end, at) || !copy(start, end))
            return false;
    }
    return true;
}

} // namespace paylib
