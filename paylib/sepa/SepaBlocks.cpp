#include "paylib/sepa/SepaBlocks.h"

#include "paylib/sepa/TempFile.h"

#include <array>
#include <cstring>

namespace paylib {
namespace {

// A run on disk: start and end in the scratch file, then where the block's next run lies.
enum RunField : std::size_t { kStart, kEnd, kNext, kRunFields };
constexpr std::size_t kRunSize = kRunFields * sizeof(std::uint64_t);

std::string_view bytesOf(const std::uint64_t& value) {
    return {reinterpret_cast<const char*>(&value), sizeof value};
}

} // namespace

std::unique_ptr<SepaBlocks> SepaBlocks::create(const std::string& directory) {
    std::unique_ptr<TempFile> runFile = TempFile::scratch(directory);
    if (!runFile)
        return nullptr;
    return std::unique_ptr<SepaBlocks>(new SepaBlocks(std::move(runFile)));
}

SepaBlocks::SepaBlocks(std::unique_ptr<TempFile> runFile) : m_runFile(std::move(runFile)) {}

SepaBlocks::~SepaBlocks() = default;

std::size_t SepaBlocks::find(const std::string& key) const {
    const auto found = m_byKey.find(key);
    return found == m_byKey.end() ? m_blocks.size() : found->second;
}

std::size_t SepaBlocks::add(const std::string& key, const SepaPaymentBuilder::Block& fields) {
    m_blocks.push_back(Block{fields});
    m_byKey.emplace(key, m_blocks.size() - 1);
    return m_blocks.size() - 1;
}

void SepaBlocks::removeLast() {
    const std::size_t last = m_blocks.size() - 1;
    std::erase_if(m_byKey, [last](const auto& entry) { return entry.second == last; });
    m_blocks.pop_back();
}

bool SepaBlocks::storeOpenRun() {
    if (!m_open)
        return true;
    Block& block = m_blocks[m_openBlock];
    const std::uint64_t at = m_runFile->size();
    std::array<std::uint64_t, kRunFields> run{};
    run[kStart] = m_openStart;
    run[kEnd] = m_openEnd;
    run[kNext] = kNoRun;
    if (!m_runFile->append(std::string_view(reinterpret_cast<const char*>(run.data()), kRunSize)))
        return false;
    // The record before lies in existing bytes, so rewriting it needs no new space.
    if (block.lastRun != kNoRun &&
        !m_runFile->overwrite(block.lastRun + kNext * sizeof(std::uint64_t), bytesOf(at)))
        return false;
    if (block.firstRun == kNoRun)
        block.firstRun = at;
    block.lastRun = at;
    m_open = false;
    return true;
}

bool SepaBlocks::noteEntry(std::size_t block, std::uint64_t start, std::uint64_t end) {
    if (m_open && block == m_openBlock && start == m_openEnd) {
        m_openEnd = end;
        return true;
    }
    if (!storeOpenRun())
        return false;
    m_open = true;
    m_openBlock = block;
    m_openStart = start;
    m_openEnd = end;
    return true;
}

bool SepaBlocks::finish() {
    return storeOpenRun() && m_runFile->flush();
}

bool SepaBlocks::readRun(std::uint64_t at, std::uint64_t& start, std::uint64_t& end,
                         std::uint64_t& next) const {
    std::array<std::uint64_t, kRunFields> run{};
    if (!m_runFile->readAt(at, reinterpret_cast<char*>(run.data()), kRunSize))
        return false;
    start = run[kStart];
    end = run[kEnd];
    next = run[kNext];
    return true;
}

} // namespace paylib
