#include "text/EmptyElementCompressor.h"

#include <algorithm>

#include "base/Text.h"

namespace lombar {
namespace {
constexpr auto npos = std::string::npos;
constexpr std::size_t kChunk = 512;  // how much unscanned text one step brings in
}  // namespace

std::string EmptyElementCompressor::Compress(std::string_view text) {
  return EmptyElementCompressor(TrimSpaces(text)).Run();
}

// The search goes on from `resume`. After a mismatch it starts past the end
// tag. After a cut it starts over from where the pass began, as cutting can
// empty an enclosing group; no "></" can begin in the untouched text between
// there and the cut, so the search resumes at the join itself.
std::string EmptyElementCompressor::Run() {
  std::size_t pass_start = 0, resume = 0;
  for (;;) {
    const std::size_t gap = Find("></", resume);  // the ">" before "</"
    if (gap == npos) break;
    const std::size_t close = Find(">", gap + 3);
    if (close == npos) break;
    const std::size_t open = scanned_.rfind('<', gap);
    if (open != npos && TagsMatch(open, gap, close)) {
      const std::size_t join = Cut(open, close);
      resume = std::max(pass_start, join >= 2 ? join - 2 : 0);
    } else {
      pass_start = resume = close + 1;
    }
  }
  scanned_.append(rest_);
  return std::move(scanned_);
}

// The whole start tag (attributes included) against the end tag's name.
bool EmptyElementCompressor::TagsMatch(std::size_t open, std::size_t gap, std::size_t close) const {
  const std::string_view text = scanned_;
  const std::size_t start_end = text.find('>', open);
  return text.substr(open + 1, start_end - open - 1) == text.substr(gap + 3, close - gap - 3);
}

// Cuts [first, last] out, trims the spaces on both sides of the cut and
// returns where the two pieces now meet.
std::size_t EmptyElementCompressor::Cut(std::size_t first, std::size_t last) {
  std::string after = scanned_.substr(last + 1);
  scanned_.resize(first);
  scanned_.resize(scanned_.find_last_not_of(' ') + 1);
  const std::size_t join = scanned_.size();
  const std::size_t kept = after.find_first_not_of(' ');
  if (kept == npos) {
    const std::size_t rest_kept = rest_.find_first_not_of(' ');
    rest_.remove_prefix(rest_kept == npos ? rest_.size() : rest_kept);
  } else {
    scanned_.append(after, kept);
  }
  return join;
}

// The first `needle` at or after `from`, bringing in unscanned text as needed.
std::size_t EmptyElementCompressor::Find(std::string_view needle, std::size_t from) {
  std::size_t next = from;  // no match begins in [from, next)
  for (;;) {
    const std::size_t found = scanned_.find(needle, std::min(next, scanned_.size()));
    if (found != npos) return found;
    if (scanned_.size() >= needle.size()) {
      next = std::max(from, scanned_.size() - needle.size() + 1);
    }
    if (!MaterializeMore()) return npos;
  }
}

bool EmptyElementCompressor::MaterializeMore() {
  if (rest_.empty()) return false;
  const std::size_t count = std::min(kChunk, rest_.size());
  scanned_.append(rest_.substr(0, count));
  rest_.remove_prefix(count);
  return true;
}

}  // namespace lombar
