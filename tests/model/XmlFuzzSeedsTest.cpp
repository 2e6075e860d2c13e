// Replays the XML fuzz target's seeds and the inputs it once broke on
// (fuzz/corpus/xml_fuzz/ and fuzz/regressions/xml_fuzz/) through the
// target's own checks, so a change that breaks a round trip fails here, in
// every build, before any fuzzing.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "XmlFuzz.h"

namespace lombar {
namespace {

const std::filesystem::path kFuzzDir = LOMBAR_FUZZ_DIR;

std::vector<std::filesystem::path> SeedsAndFindings() {
  std::vector<std::filesystem::path> inputs;
  for (const char* folder : {"corpus/xml_fuzz", "regressions/xml_fuzz"}) {
    if (!std::filesystem::is_directory(kFuzzDir / folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(kFuzzDir / folder))
      inputs.push_back(entry.path());
  }
  return inputs;
}

TEST(XmlFuzzSeedsTest, EverySeedAndEveryFormerFindingKeepsThePromises) {
  LogFolderScope logs;
  const std::vector<std::filesystem::path> inputs = SeedsAndFindings();
  ASSERT_FALSE(inputs.empty()) << "no seeds under " << kFuzzDir;
  for (const auto& input : inputs) {
    InFreshThread([&] {
      try {
        fuzz::RunXmlFuzzInput(ReadFile(input));
      } catch (const fuzz::BrokenPromise& broken) {
        ADD_FAILURE() << input.filename() << ": " << broken.what();
      }
    });
  }
}

// An input's name starts with what it was made for: a change in the type
// library's order would otherwise send every input to another class unnoticed.
TEST(XmlFuzzSeedsTest, EachInputStillPicksWhatItWasMadeFor) {
  std::set<std::string> reached;
  for (const auto& seed : SeedsAndFindings()) {
    const std::string text = ReadFile(seed);
    ASSERT_FALSE(text.empty()) << seed.filename();
    const fuzz::XmlFuzzChoice choice = fuzz::ChooseTarget(static_cast<std::uint8_t>(text[0]));
    const std::string picked = choice.info ? choice.info->name : "reader";
    EXPECT_EQ(seed.stem().string(), picked) << seed.filename();
    reached.insert(picked);
  }
  // Every class and the raw reader have a seed.
  EXPECT_EQ(reached.size(), CreatableClasses().size() + 1);
}

}  // namespace
}  // namespace lombar
