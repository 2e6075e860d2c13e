// Catalog documents read and written by the library beside a general-purpose
// XML library doing the same work on the same text: pugixml parses the text
// into a tree and serialises it back. Each benchmark reports the ratio of
// the library's time to pugixml's, measured in the same run.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "SampleCatalog.h"
#include "lombar/ICatalog.h"

namespace {

using namespace lombar;

// Memory freed by one run stays with the process for the next. Where the
// first touch of a fresh page is dear (it can cost more than the parsing),
// both sides would otherwise be timed partly on page faults, and unevenly:
// the allocator hands large blocks back to the system or keeps them
// depending on what was freed before.
[[maybe_unused]] const bool kFreedMemoryKept = [] {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, -1);
#endif
  return true;
}();

std::string SampleDocument(int items) {
  return tool::SampleCatalog({.items = items, .stores = 3, .seed = 1, .prices = 3});
}

// The median time of pugixml's parse and serialise of `text`.
double PugixmlSeconds(const std::string& text) {
  struct ToString : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
      out.append(static_cast<const char*>(data), size);
    }
  };
  std::vector<double> times;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    pugi::xml_document document;
    document.load_buffer(text.data(), text.size(), pugi::parse_default);
    ToString writer;
    writer.out.reserve(text.size());
    document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
    benchmark::DoNotOptimize(writer.out.data());
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(times.begin(), times.begin() + 2, times.end());
  return times[2];
}

// Runs `round_trip` on `text` as the benchmark's work and reports, beside
// its time, pugixml's on the same text and the ratio of the two.
template <class RoundTrip>
void SideBySide(benchmark::State& state, const std::string& text, RoundTrip round_trip) {
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    round_trip(text);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double ours = seconds / static_cast<double>(state.iterations());
  const double theirs = PugixmlSeconds(text);
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["pugixml_ms"] = theirs * 1e3;
  state.counters["ratio"] = ours / theirs;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

void BM_CatalogDocument(benchmark::State& state) {
  const std::string text = SampleDocument(static_cast<int>(state.range(0)));
  SideBySide(state, text, [](const std::string& document) {
    const auto catalog = MakeRef<ICatalog>();
    catalog->SetXML(document);
    const std::string written = catalog->XML();
    if (written != document) throw std::runtime_error("the round trip changed the document");
  });
}

void BM_ItemCollection(benchmark::State& state) {
  const auto catalog = MakeRef<ICatalog>();
  catalog->SetXML(SampleDocument(static_cast<int>(state.range(0)) * 3));
  catalog->GlobalProviders_Create();
  const std::string text = catalog->Stores()->Item(Variant(Long{1}))->Items()->XML();
  SideBySide(state, text, [](const std::string& document) {
    const auto items = MakeRef<ICatItemCol>();
    items->SetXML(document);
    benchmark::DoNotOptimize(items->XML());
  });
}

void BM_ProviderCollection(benchmark::State& state) {
  const auto providers = MakeRef<ICatProviderCol>();
  for (int i = 0; i < state.range(0); ++i) {
    const std::string dir = "D" + std::to_string(i);
    providers->Add("Northside Auto Parts", "Store " + std::to_string(i), std::to_string(1000 + i),
                   dir, "Within 30 min", i == 0);
  }
  const std::string text = providers->XML();
  SideBySide(state, text, [](const std::string& document) {
    const auto copy = MakeRef<ICatProviderCol>();
    copy->SetXML(document);
    benchmark::DoNotOptimize(copy->XML());
  });
}

BENCHMARK(BM_CatalogDocument)->Arg(1'000)->Arg(10'000)->Arg(30'000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemCollection)->Arg(1'000)->Arg(10'000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProviderCollection)->Arg(1'000)->Arg(10'000)->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace
