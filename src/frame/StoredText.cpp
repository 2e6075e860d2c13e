#include "lombar/StoredText.h"

#include <array>
#include <atomic>
#include <new>

#include "base/Text.h"

namespace lombar {
namespace {

// The count of the texts sharing a block, in the four bytes before it.
using ShareCount = std::atomic<std::uint32_t>;
static_assert(sizeof(ShareCount) == sizeof(std::uint32_t) &&
              alignof(ShareCount) <= alignof(std::uint32_t));
// A count this high is not raised further: the text is then copied instead.
constexpr std::uint32_t kMostShares = UINT32_MAX / 2;

// The texts AssignShared stored lately on this thread, each in a slot chosen
// by its bytes; a text of another slot's bytes takes the slot over. Longer
// texts seldom repeat, and the slots hold at most this much each.
constexpr std::size_t kRecentSlots = 256;
constexpr std::size_t kLongestShared = 64;

std::size_t RecentSlotOf(std::string_view text) noexcept {
  // Its first and last eight bytes (a text shared has more than seven) and its length.
  std::uint64_t first = 0;
  std::uint64_t last = 0;
  std::memcpy(&first, text.data(), sizeof first);
  std::memcpy(&last, text.data() + text.size() - sizeof last, sizeof last);
  const std::uint64_t mixed =
      first * 0x9E3779B97F4A7C15ULL ^ (last + text.size()) * 0xC2B2AE3D27D4EB4FULL;
  return static_cast<std::size_t>(mixed >> 56) % kRecentSlots;
}

ShareCount& CountOf(std::uintptr_t block) noexcept {
  return *reinterpret_cast<ShareCount*>(block - sizeof(ShareCount));
}

}  // namespace

void StoredText::AssignSlowly(std::string_view text) {
  if (text.size() <= kInlineCapacity) {
    // Built aside first: the text may be this one's own bytes.
    const std::uint64_t word = InlineWord(text);
    Release();
    word_ = word;
    return;
  }
  // Beyond what a four-byte length holds (and an automation string can), the
  // text is refused as the runtime refuses it: out of memory, which the error
  // traps report as error 7.
  if (text.size() > UINT32_MAX) throw std::bad_alloc();
  const auto size = static_cast<std::uint32_t>(text.size());
  if (!IsInline() && word_ != 0 && !Shares() && HeapBlock()->size >= size) {
    Block* block = HeapBlock();
    std::memmove(BytesOf(block), text.data(), size);  // may overlap its own bytes
    block->size = size;
    return;
  }
  void* storage = ::operator new(sizeof(Block) + size);
  Block* block = static_cast<Block*>(storage);
  block->size = size;
  std::memcpy(BytesOf(block), text.data(), size);
  Release();
  word_ = reinterpret_cast<std::uintptr_t>(block);
}

void StoredText::AssignSharedSlowly(std::string_view text) {
  if (text.size() > kLongestShared) return AssignSlowly(text);
  thread_local std::array<StoredText, kRecentSlots> recent;
  StoredText& slot = recent[RecentSlotOf(text)];
  const std::string_view held = slot.View();
  if (held.size() != text.size() || !SameBytes(held.data(), text.data(), text.size())) {
    // A new block, counted once for the slot.
    void* storage = ::operator new(sizeof(ShareCount) + sizeof(Block) + text.size());
    new (storage) ShareCount(1);
    auto* block = reinterpret_cast<Block*>(static_cast<char*>(storage) + sizeof(ShareCount));
    block->size = static_cast<std::uint32_t>(text.size());
    std::memcpy(BytesOf(block), text.data(), text.size());
    StoredText made;
    made.word_ = reinterpret_cast<std::uintptr_t>(block) | kSharedBit;
    slot = std::move(made);  // the slot's old text is released with `made`
  }
  ShareWord(slot.word_);
}

void StoredText::ShareWord(std::uint64_t shared) {
  if (word_ == shared) return;
  ShareCount& count = CountOf(static_cast<std::uintptr_t>(shared & ~kSharedBit));
  if (count.load(std::memory_order_relaxed) >= kMostShares) {
    const auto* block =
        reinterpret_cast<const Block*>(static_cast<std::uintptr_t>(shared & ~kSharedBit));
    return AssignSlowly(std::string_view(BytesOf(block), block->size));
  }
  count.fetch_add(1, std::memory_order_relaxed);
  Release();
  word_ = shared;
}

void StoredText::FreeBlock(std::uint64_t word) noexcept {
  const auto block = static_cast<std::uintptr_t>(word & ~kSharedBit);
  if ((word & kSharedBit) == 0) return ::operator delete(reinterpret_cast<void*>(block));
  ShareCount& count = CountOf(block);
  if (count.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
  count.~ShareCount();
  ::operator delete(static_cast<void*>(&count));
}

}  // namespace lombar
