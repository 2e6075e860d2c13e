// Writing a collection of N members and reading its N member blocks back:
// the time per member must stay flat as N grows.
#include <benchmark/benchmark.h>

#include <string>

#include "FreedMemoryKept.h"
#include "lombar/ICatPresetCol.h"
#include "lombar/ICatProviderCol.h"
#include "text/TextBuffer.h"
#include "text/XmlReader.h"
#include "text/XmlWriter.h"

namespace {

using lombar::TextBuffer;
using lombar::XmlReader;
using lombar::XmlWriter;
using lombar::ICatPresetCol;
using lombar::ICatProviderCol;
using lombar::MakeRef;
using lombar::Short;

std::string MemberXML(int index) {
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.SetZeroSuppress(true);
  writer.Add("ICatPreset", "", true);
  writer.Add("Category", "Brakes & Rotors " + std::to_string(index));
  writer.Add("Group", std::to_string(index % 90));
  writer.Add("Description", "Front <disc> pads");
  writer.Add("Vehicle", "", true);
  writer.Add("Year", "2004");
  writer.EndGroup();
  writer.EndGroup();
  return writer.XML();
}

std::string CollectionXML(int count) {
  TextBuffer members;
  for (int i = 1; i <= count; ++i)
    members.Append(MemberXML(i));
  XmlWriter writer;
  writer.SetSnippet(true);
  writer.Add("ICatPresetCol", "", true);
  writer.Add("Count", std::to_string(count));
  writer.Add("Collection", members.Value());
  writer.EndGroup();
  return writer.XML();
}

void BM_WriteCollection(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(CollectionXML(count));
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

void BM_ReadBlocks(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string text = CollectionXML(count);
  for (auto _ : state) {
    XmlReader reader;
    reader.SetXML(text);
    const int members = std::stoi(reader.Value("Count"));
    for (int i = 1; i <= members; ++i) {
      XmlReader member;
      member.SetXML(reader.Block("ICatPreset", static_cast<Short>(i)));
      benchmark::DoNotOptimize(member.Value("Category"));
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// A provider collection's XML get, then XML let into a new collection.
void BM_ProviderCollectionRoundTrip(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const auto providers = MakeRef<ICatProviderCol>();
  for (int i = 1; i <= count; ++i) {
    const std::string number = std::to_string(i);
    providers
        ->Add("Acme & Sons " + number, "Main St", "S" + number, "DIR" + number, "Today", i == 1)
        ->SetDistanceFromYou(static_cast<float>(i) / 4);
  }
  for (auto _ : state) {
    const auto copy = MakeRef<ICatProviderCol>();
    copy->SetXML(providers->XML());
    benchmark::DoNotOptimize(copy->Count());
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.SetComplexityN(count);
}

// A collection whose Count claims `count` members: with `all_present` it
// holds them, otherwise only the first, the rest of the text the same size
// but without members. Reading either must cost about the same.
std::string ClaimedCollection(int count, bool all_present) {
  std::string text = CollectionXML(count);
  if (all_present) return text;
  const std::string member_end = "</ICatPreset>";
  const std::size_t first_end = text.find(member_end) + member_end.size();
  const std::size_t collection_end = text.rfind("</Collection>");
  for (std::size_t i = first_end; i < collection_end; ++i) text[i] = ' ';
  return text;
}

void BM_ReadClaimedMembers(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string text = ClaimedCollection(count, state.range(1) != 0);
  for (auto _ : state) {
    const auto presets = MakeRef<ICatPresetCol>();
    presets->SetXML(text);
    benchmark::DoNotOptimize(presets->Count());
  }
  state.counters["members_present"] = static_cast<double>(state.range(1) != 0 ? count : 1);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Block positions are 16-bit, as the collections count members, so the
// largest size read back is 30,000.
BENCHMARK(BM_WriteCollection)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Complexity();
BENCHMARK(BM_ReadBlocks)->Arg(1'000)->Arg(10'000)->Arg(30'000)->Complexity();
BENCHMARK(BM_ReadClaimedMembers)
    ->Args({32'000, 1})
    ->Args({32'000, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProviderCollectionRoundTrip)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace
