// The automation surface of every creatable class against the golden table
// ClassSurfaces.golden: identifiers, events and members in slot order.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "frame/TypeInfo.h"
#include "frame/TypeLibrary.h"

namespace lombar {
namespace {

struct GoldenBlock {
  std::string name;
  std::string text;  // every line of the block, each ending in a newline
};

// The blocks of the golden file in its order; '#' lines are comments and a
// blank line ends a block.
std::vector<GoldenBlock> ReadGolden() {
  std::istringstream lines(testing::ReadFile(LOMBAR_TEST_DATA_DIR "/model/ClassSurfaces.golden"));
  std::vector<GoldenBlock> blocks;
  bool in_block = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with('#')) continue;
    if (line.empty()) {
      in_block = false;
      continue;
    }
    if (!in_block) blocks.push_back({line.substr(0, line.find(' ')), ""});
    in_block = true;
    blocks.back().text += line + "\n";
  }
  return blocks;
}

// P<n> for a property id, M<n> for a method id, the fixed ids as numbers.
std::string DispIdText(DispId id) {
  if (id >= PropertyId(0)) return "P" + std::to_string(id - PropertyId(0));
  if (id >= MethodId(0)) return "M" + std::to_string(id - MethodId(0));
  return std::to_string(id);
}

std::string Rendered(const ClassInfo& info) {
  std::string text = info.name + " " + info.clsid.ToString() + " " + info.iid.ToString() + "\n";
  for (const Guid& earlier : info.earlier_iids)
    text += "  earlier " + earlier.ToString() + "\n";
  if (info.events) {
    for (const EventMember& event : info.events->members) {
      text += "  event " + info.events->name + " " + info.events->iid.ToString() + " " +
              event.name + " " + std::to_string(event.dispid) + "\n";
    }
  }
  for (const Member& member : info.members) {
    text += "  " + member.name + " " + std::string(MemberKindName(member.kind)) + " " +
            DispIdText(member.dispid) + (member.hidden ? " hidden" : "") + "\n";
  }
  return text;
}

TEST(ClassSurfaceTest, EveryCreatableClassMatchesItsGoldenBlockInTypeLibraryOrder) {
  const std::vector<GoldenBlock> golden = ReadGolden();
  ASSERT_EQ(golden.size(), 20u);  // the twenty classes of the type library
  auto previous = golden.begin();
  for (const ClassInfo* info : CreatableClasses()) {
    const auto block = std::find_if(golden.begin(), golden.end(),
                                    [&](const GoldenBlock& b) { return b.name == info->name; });
    if (block == golden.end()) {
      ADD_FAILURE() << info->name << " is creatable but has no block in the golden table";
      continue;
    }
    EXPECT_EQ(Rendered(*info), block->text) << info->name;
    EXPECT_TRUE(block >= previous) << info->name << " is listed before a class it follows";
    previous = block;
  }
}

}  // namespace
}  // namespace lombar
