// Items, item collections and catalogs at growing sizes: writing and
// reading items one by one, a collection's and a catalog's round trip,
// sorting and summarising. The time per
// item must stay flat (sorting: grow as log n), and sorting must cost less
// than writing the collection once.
#include <benchmark/benchmark.h>

#include <string>

#include "FreedMemoryKept.h"
#include "lombar/ICatItemCol.h"
#include "lombar/ICatalog.h"
#include "lombar/ICatProviderCol.h"
#include "model/ModelState.h"

namespace {

using namespace lombar;

void InstallProviders() {
  if (ThreadModel().global_providers) return;
  auto providers = MakeRef<ICatProviderCol>();
  providers->Add("Main", "Main St", "S1", "D1", "", true);
  providers->Add("North", "North Rd", "S2", "D2", "", false);
  ThreadModel().global_providers = providers;
}

// A realistic part: catalog data, a status on every other line, and prices
// at the jobber, an alternate location and MSRP.
Ref<ICatItem> SampleItem(int index) {
  const std::string number = std::to_string(index);
  auto item = MakeRef<ICatItem>();
  item->SetItemGroup(static_cast<Short>(index % 40));
  item->SetGroupNumber(std::to_string(index % 300));
  item->SetHeading(index % 3 == 0 ? "Front" : "Rear");
  item->SetDescription("Brake Pad Set " + std::to_string(index % 97));
  item->SetManufacturerName("Acme & Sons");
  item->SetLineCode(index % 2 == 0 ? "ACD" : "BOS");
  item->SetItemNumber("P" + number);
  item->SetPartTypeCode(std::to_string(1000 + index % 50));
  item->SetMCLsequence(std::to_string(index % 1000));
  item->SetItemStatus(Variant(index % 2 == 0 ? "ORDER" : ""));
  item->SetQuantityPerCar(Currency::FromUnits(20000));
  std::string key;
  item->PriceCol()->Add("D1", "Main St", "S1", std::to_string(index % 7), "12.34", "20.5", key);
  key.clear();
  item->PriceCol()->Add("D2", "North Rd", "S2", "3", std::to_string(10 + index % 13), "21", key);
  key.clear();
  item->PriceCol()->Add("MSRP", "MSRP", "", "", "0", "29.99", key);
  return item;
}

Ref<ICatItemCol> SampleItems(int count) {
  auto items = MakeRef<ICatItemCol>();
  for (int i = 1; i <= count; ++i) {
    const auto item = SampleItem(i);
    items->Add(item, item->UniqueKey());
  }
  return items;
}

void BM_ItemOneByOne(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  std::vector<Ref<ICatItem>> items;
  for (int i = 1; i <= count; ++i)
    items.push_back(SampleItem(i));
  for (auto _ : state) {
    for (const Ref<ICatItem>& item : items) {
      const auto copy = MakeRef<ICatItem>();
      copy->SetXML(item->XML());
      benchmark::DoNotOptimize(copy->PriceCol()->Count());
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

void BM_ItemCollectionWrite(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  const auto items = SampleItems(count);
  for (auto _ : state)
    benchmark::DoNotOptimize(items->XML());
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

void BM_ItemCollectionRoundTrip(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  const auto items = SampleItems(count);
  for (auto _ : state) {
    const auto copy = MakeRef<ICatItemCol>();
    copy->SetXML(items->XML());
    benchmark::DoNotOptimize(copy->Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// The same collection made through the setters, without XML: what making the
// model costs whatever fills it, the floor under the round trip's reading.
void BM_ItemCollectionBuild(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(SampleItems(count)->Count());
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// Each iteration sorts the same collection by a cost mode and back by the
// default mode, so every pass starts from the same order.
void BM_SortCatalog(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  const auto items = SampleItems(count);
  for (auto _ : state) {
    items->SortCatalog(qCCISdscCostHiLo, qCCISdscCostHiLo);
    items->SortCatalog(qCCISundefined, qCCISundefined);
  }
  state.SetItemsProcessed(state.iterations() * count * 2);
  state.SetComplexityN(count);
}

void BM_Summarize(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    const auto items = SampleItems(count);
    state.ResumeTiming();
    items->Summarize("mode0");
    benchmark::DoNotOptimize(items->Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// A catalog of three stores sharing `count` items between them: its document
// written and read into a new catalog.
void BM_CatalogRoundTrip(benchmark::State& state) {
  InstallProviders();
  const int count = static_cast<int>(state.range(0));
  const auto catalog = MakeRef<ICatalog>();
  catalog->Providers()->SetXML(ThreadModel().global_providers->XML());
  for (const char* directory : {"D1", "D2", "D3"})
    catalog->Stores()->Add(directory, SampleItems(count / 3));
  for (auto _ : state) {
    const auto copy = MakeRef<ICatalog>();
    copy->SetXML(catalog->XML());
    benchmark::DoNotOptimize(copy->Stores()->Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// 1,000, 10,000 and 30,000 members, in milliseconds, with the time per member fitted.
void AtGrowingSizes(benchmark::internal::Benchmark* family) {
  family->Arg(1'000)->Arg(10'000)->Arg(30'000)->Complexity()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ItemOneByOne)->Arg(1'000)->Arg(30'000)->Complexity()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ItemCollectionWrite)->Apply(AtGrowingSizes);
BENCHMARK(BM_ItemCollectionRoundTrip)->Apply(AtGrowingSizes);
BENCHMARK(BM_ItemCollectionBuild)->Apply(AtGrowingSizes);
BENCHMARK(BM_SortCatalog)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(30'000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatalogRoundTrip)
    ->Arg(1'002)
    ->Arg(10'002)
    ->Arg(30'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Summarize)->Apply(AtGrowingSizes);

}  // namespace
