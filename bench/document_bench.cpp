// Catalog documents read and written by the library beside a general-purpose
// XML library doing the same work on the same text: pugixml parses the text
// into a tree and serialises it back. Each benchmark times the reading and
// writing alone and reports the ratio of the library's time to pugixml's,
// measured in the same run; releasing what each made is timed apart
// (release_ms) and the ratio with it counted on both sides is reported too.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <latch>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "FreedMemoryKept.h"
#include "SampleCatalog.h"
#include "lombar/ICatalog.h"

namespace {

using namespace lombar;

std::string SampleDocument(int items) {
  return tool::SampleCatalog({.items = items, .stores = 3, .seed = 1, .prices = 3});
}

// The median times of pugixml's parse and serialise of `text`, without and
// with the release of its tree.
struct Times {
  double work = 0;
  double with_release = 0;
};

double Median(std::vector<double> times) {
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return times[times.size() / 2];
}

// pugixml's parse of `text` into `document` and its serialisation back: the text it wrote.
std::string PugixmlRoundTrip(const std::string& text, pugi::xml_document& document) {
  struct ToString : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
      out.append(static_cast<const char*>(data), size);
    }
  };
  document.load_buffer(text.data(), text.size(), pugi::parse_default);
  ToString writer;
  writer.out.reserve(text.size());
  document.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
  return std::move(writer.out);
}
// The same, its tree released too.
std::string PugixmlRoundTrip(const std::string& text) {
  pugi::xml_document document;
  return PugixmlRoundTrip(text, document);
}

Times PugixmlSeconds(const std::string& text) {
  std::vector<double> work, with_release;
  for (int run = 0; run < 5; ++run) {
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point done;
    {
      pugi::xml_document document;
      const std::string written = PugixmlRoundTrip(text, document);
      benchmark::DoNotOptimize(written.data());
      done = std::chrono::steady_clock::now();
    }
    const auto released = std::chrono::steady_clock::now();
    work.push_back(std::chrono::duration<double>(done - start).count());
    with_release.push_back(std::chrono::duration<double>(released - start).count());
  }
  return {Median(work), Median(with_release)};
}

// Runs `round_trip` on `text` as the benchmark's work and reports, beside
// its time, pugixml's on the same text and the ratio of the two. The work is
// reading and writing; `round_trip` returns what it made, so that releasing
// it is timed apart, as pugixml's release of its tree is, and checked
// outside the time.
template <class RoundTrip>
void SideBySide(benchmark::State& state, const std::string& text, RoundTrip round_trip) {
  double seconds = 0;
  double release_seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    auto made = round_trip(text);
    const auto done = std::chrono::steady_clock::now();
    made.Check(text);
    const auto checked = std::chrono::steady_clock::now();
    made = {};
    const double work = std::chrono::duration<double>(done - start).count();
    state.SetIterationTime(work);
    seconds += work;
    release_seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - checked).count();
  }
  const double runs = static_cast<double>(state.iterations());
  const double ours = seconds / runs;
  const Times theirs = PugixmlSeconds(text);
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  state.counters["pugixml_ms"] = theirs.work * 1e3;
  state.counters["ratio"] = ours / theirs.work;
  state.counters["release_ms"] = release_seconds / runs * 1e3;
  state.counters["ratio_with_release"] = (ours + release_seconds / runs) / theirs.with_release;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.SetComplexityN(state.range(0));
}

// What a round trip made: the object read and the text it wrote.
template <class T>
struct Made {
  Ref<T> object;
  std::string written;
  bool must_equal_input = false;
  void Check(const std::string& input) const {
    if (must_equal_input && written != input)
      throw std::runtime_error("the round trip changed the document");
  }
};

void BM_CatalogDocument(benchmark::State& state) {
  const std::string text = SampleDocument(static_cast<int>(state.range(0)));
  SideBySide(state, text, [](const std::string& document) {
    Made<ICatalog> made{MakeRef<ICatalog>(), {}, true};
    made.object->SetXML(document);
    made.written = made.object->XML();
    return made;
  });
}

void BM_ItemCollection(benchmark::State& state) {
  const auto catalog = MakeRef<ICatalog>();
  catalog->SetXML(SampleDocument(static_cast<int>(state.range(0)) * 3));
  catalog->GlobalProviders_Create();
  const std::string text = catalog->Stores()->Item(Variant(Long{1}))->Items()->XML();
  SideBySide(state, text, [](const std::string& document) {
    Made<ICatItemCol> made{MakeRef<ICatItemCol>(), {}, false};
    made.object->SetXML(document);
    made.written = made.object->XML();
    return made;
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
    Made<ICatProviderCol> made{MakeRef<ICatProviderCol>(), {}, false};
    made.object->SetXML(document);
    made.written = made.object->XML();
    return made;
  });
}

// The CPU time the calling thread has used, where the system tells it (0 elsewhere).
double ThreadCpuSeconds() {
#if defined(CLOCK_THREAD_CPUTIME_ID)
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#else
  return 0;
#endif
}

// What the round trips of `threads` threads, started together, took: the
// wall time until the last was done, and the CPU time each used on average.
struct ThreadTimes {
  double wall = 0;
  double cpu = 0;
};

// What `threads` threads, started together, each doing `work` once, took.
// `prepare` runs on each thread before the start (for the library, the
// thread's first use: its apartment and log setup).
template <class Prepare, class Work>
ThreadTimes OnThreads(int threads, const Prepare& prepare, const Work& work) {
  std::latch ready(threads + 1);
  std::latch start(1);
  std::vector<double> cpu(static_cast<std::size_t>(threads));
  std::vector<std::chrono::steady_clock::time_point> done(cpu.size());
  std::vector<std::thread> workers;
  for (std::size_t t = 0; t < cpu.size(); ++t) {
    workers.emplace_back([&, t] {
      prepare();
      ready.count_down();
      start.wait();
      const double cpu_start = ThreadCpuSeconds();
      work();
      cpu[t] = ThreadCpuSeconds() - cpu_start;
      done[t] = std::chrono::steady_clock::now();
    });
  }
  ready.arrive_and_wait();
  const auto started = std::chrono::steady_clock::now();
  start.count_down();
  for (std::thread& worker : workers)
    worker.join();
  ThreadTimes times;
  for (std::size_t t = 0; t < cpu.size(); ++t) {
    times.wall = std::max(times.wall, std::chrono::duration<double>(done[t] - started).count());
    times.cpu += cpu[t] / static_cast<double>(cpu.size());
  }
  return times;
}

// Each thread round-trips a catalog of its own (objects belong to the
// thread that made them) and releases it.
ThreadTimes RoundTripsOnThreads(const std::string& text, int threads) {
  return OnThreads(
      threads, [] { MakeRef<ICatalog>(); },
      [&] {
        Made<ICatalog> made{MakeRef<ICatalog>(), {}, true};
        made.object->SetXML(text);
        made.written = made.object->XML();
        made.Check(text);
      });
}

// The same work done by pugixml on each thread: what the machine allows two
// threads doing independent work of this kind, whoever does it.
ThreadTimes PugixmlOnThreads(const std::string& text, int threads) {
  return OnThreads(threads, [] {}, [&] { benchmark::DoNotOptimize(PugixmlRoundTrip(text)); });
}

// Two threads, each round-tripping (and releasing) its own catalog, timed
// against one thread doing one in the same iteration: nothing is shared
// between them on that path, so on two free cores the pair should take
// about as long as one. The CPU time each thread used is reported beside
// the wall time, as the pair's wall time also shows how busy the machine is,
// and pugixml's pair against its one thread, for what the machine allows.
void BM_TwoThreadsCatalog(benchmark::State& state) {
  const std::string text = SampleDocument(static_cast<int>(state.range(0)));
  ThreadTimes one, two, pugixml_one, pugixml_two;
  const auto add = [](ThreadTimes& sum, const ThreadTimes& times) {
    sum.wall += times.wall;
    sum.cpu += times.cpu;
  };
  for (auto _ : state) {
    add(one, RoundTripsOnThreads(text, 1));
    const ThreadTimes pair = RoundTripsOnThreads(text, 2);
    state.SetIterationTime(pair.wall);
    add(two, pair);
    add(pugixml_one, PugixmlOnThreads(text, 1));
    add(pugixml_two, PugixmlOnThreads(text, 2));
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["one_thread_ms"] = one.wall / runs * 1e3;
  state.counters["two_threads_ms"] = two.wall / runs * 1e3;
  state.counters["ratio"] = two.wall / one.wall;
  state.counters["cpu_one_ms"] = one.cpu / runs * 1e3;
  state.counters["cpu_each_of_two_ms"] = two.cpu / runs * 1e3;
  state.counters["cpu_ratio"] = one.cpu > 0 ? two.cpu / one.cpu : 0;
  state.counters["pugixml_ratio"] = pugixml_two.wall / pugixml_one.wall;
  state.counters["pugixml_cpu_ratio"] = pugixml_one.cpu > 0 ? pugixml_two.cpu / pugixml_one.cpu : 0;
}

// 1,000 and 10,000 items, and `more`; each timed by its work alone (see SideBySide).
void ItemCounts(benchmark::internal::Benchmark* benchmark, std::initializer_list<int> more) {
  benchmark->Arg(1'000)->Arg(10'000);
  for (const int items : more)
    benchmark->Arg(items);
  benchmark->UseManualTime()->Complexity()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_CatalogDocument)->Apply([](auto* benchmark) { ItemCounts(benchmark, {30'000}); });
BENCHMARK(BM_ItemCollection)->Apply([](auto* benchmark) { ItemCounts(benchmark, {}); });
BENCHMARK(BM_ProviderCollection)->Apply([](auto* benchmark) { ItemCounts(benchmark, {}); });
BENCHMARK(BM_TwoThreadsCatalog)->Arg(10'000)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
