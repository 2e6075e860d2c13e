#include "lombar/StoredText.h"

#include <new>

namespace lombar {

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
  if (!IsInline() && word_ != 0 && HeapBlock()->size >= size) {
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

void StoredText::FreeBlock(Block* block) noexcept { ::operator delete(block); }

}  // namespace lombar
