// Insert-then-enumerate cost of the sorting tree, per key, for already sorted
// input (the case an unbalanced tree degrades on) and for shuffled input.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "FreedMemoryKept.h"
#include "text/Tree.h"

namespace {

// Fixed-width decimal keys, so text order is numeric order.
std::vector<std::string> SortedKeys(std::size_t count) {
  std::vector<std::string> keys;
  keys.reserve(count);
  char key[32];
  for (std::size_t i = 0; i < count; ++i) {
    std::snprintf(key, sizeof key, "%09zu", i);
    keys.emplace_back(key);
  }
  return keys;
}

std::vector<std::string> ShuffledKeys(std::size_t count) {
  std::vector<std::string> keys = SortedKeys(count);
  std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
  return keys;
}

void InsertAndEnumerate(benchmark::State& state, const std::vector<std::string>& keys) {
  for (auto _ : state) {
    lombar::Tree tree;
    std::int32_t value = 1;
    for (const auto& key : keys)
      tree.Insert(key, value++);
    benchmark::DoNotOptimize(tree.Enumerate(false));
  }
  const auto count = static_cast<std::int64_t>(keys.size());
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
  state.counters["per_key"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_TreeSortedKeys(benchmark::State& state) {
  InsertAndEnumerate(state, SortedKeys(static_cast<std::size_t>(state.range(0))));
}

void BM_TreeShuffledKeys(benchmark::State& state) {
  InsertAndEnumerate(state, ShuffledKeys(static_cast<std::size_t>(state.range(0))));
}

BENCHMARK(BM_TreeSortedKeys)
    ->RangeMultiplier(10)
    ->Range(1'000, 100'000)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_TreeShuffledKeys)
    ->RangeMultiplier(10)
    ->Range(1'000, 100'000)
    ->Complexity(benchmark::oNLogN);

}  // namespace
