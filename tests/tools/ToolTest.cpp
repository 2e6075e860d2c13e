// The lombar tool run as its users run it: arguments, standard streams,
// files and exit status.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include <fcntl.h>
#include <unistd.h>

#include "TestSupport.h"
#include "XmlText.h"

namespace {

namespace fs = std::filesystem;
using lombar::testing::ReadFile;

struct Outcome {
  int status = -1;
  std::string out, err;
};

void Put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ToolTest : public ::testing::Test {
 protected:
  fs::path File(const std::string& name, const std::string& text) {
    Put(folder_ / name, text);
    return folder_ / name;
  }

  // Runs the tool with `arguments` (shell words, redirections of their own
  // included) and `input` on standard input.
  Outcome Run(const std::string& arguments, const std::string& input = "") {
    return Shell("exec '" + std::string(LOMBAR_TOOL) + "' " + arguments, input);
  }

  // Runs a shell command in the folder, the tool's path in $LOMBAR.
  Outcome Shell(const std::string& command, const std::string& input = "") {
    Put(folder_ / "stdin", input);
    const std::string line = "cd '" + folder_.string() + "' && LOMBAR='" + LOMBAR_TOOL + "' && { " + command +
                             "; } <stdin >stdout 2>stderr";
    const int raw = std::system(line.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(folder_ / "stdout"),
            ReadFile(folder_ / "stderr")};
  }

  // The name of a terminal, for a standard input that is one.
  std::string Terminal() {
    terminal_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_TRUE(terminal_ >= 0 && ::grantpt(terminal_) == 0 && ::unlockpt(terminal_) == 0);
    return ::ptsname(terminal_);
  }
  ~ToolTest() override {
    if (terminal_ >= 0) ::close(terminal_);
  }

  const lombar::testing::LogFolderScope logs_;  // a private folder, the library's logs in it
  const fs::path folder_ = logs_.Path();
  int terminal_ = -1;
};

// A small document written by hand (hand.xml, one line): two providers, one
// store with a part to order, a part whose description is too long for its
// column, and labor.
const std::string kHandWritten = [] {
  const std::string text = ReadFile(LOMBAR_TEST_DATA_DIR "/tools/hand.xml");
  return text.substr(0, text.find('\n'));
}();

// The text with the first `from` replaced by `to`.
std::string Edited(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST_F(ToolTest, ShowReportsVehicleProvidersAndEachStoreAsATable) {
  const Outcome shown = Run("show " + File("hand.xml", kHandWritten).string());
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_EQ(shown.out, ReadFile(LOMBAR_TEST_DATA_DIR "/tools/hand.show"));

  // The same data for scripts, texts uncut, numbers and Booleans as JSON's,
  // each item of its kind with only the fields that kind has.
  const Outcome json = Run("show --format JSON -", kHandWritten);
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out, ReadFile(LOMBAR_TEST_DATA_DIR "/tools/hand.show.json"));

  // Control characters of values are shown as escapes, never sent to the
  // terminal; Latin-1 is the code page that keeps the C1 controls.
  const Outcome controls = Shell("LOMBAR_CODEPAGE=28591 exec \"$LOMBAR\" show --lenient -", "<Catalogs><Vehicle><Year>2004</Year><Make>\x1b[2J\xc2\x9b\x7f"
                                                   "</Make></Vehicle></Catalogs>");
  EXPECT_EQ(controls.out.substr(0, controls.out.find('\n')), "Vehicle  2004 \\x1b[2J\\u009b\\x7f");
}

TEST_F(ToolTest, SampleIsTheDefaultDocumentAndTheSameForTheSameSeed) {
  const Outcome builtin = Run("show <" + Terminal());
  ASSERT_EQ(builtin.status, 0) << builtin.err;
  EXPECT_EQ(builtin.out.find('\x1b'), std::string::npos);  // no colour off a terminal
  const Outcome sample = Run("sample");
  EXPECT_EQ(Run("show -", sample.out).out, builtin.out);
  EXPECT_NE(builtin.out.find("Store D3"), std::string::npos);
  EXPECT_NE(builtin.out.find("(default)"), std::string::npos);

  // The same seed gives the same bytes, of the size asked.
  const std::string arguments = "sample --items 40 --stores 2 --seed 9";
  const Outcome first = Run(arguments), again = Run(arguments);
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, Run("sample --items 40 --stores 2 --seed 10").out);
  const auto report = nlohmann::json::parse(Run("show --format json -", first.out).out);
  ASSERT_EQ(report["stores"].size(), 2u);
  EXPECT_EQ(report["stores"][0]["items"].size() + report["stores"][1]["items"].size(), 40u);
  EXPECT_EQ(report["providers"].size(), 3u);
  // Parts, labor and comments, related items, and prices at several locations.
  for (const char* element : {"<ItemType>1</ItemType>", "<ItemType>2</ItemType>",
                              "<VendorNumberXRef>", "<MCLdir>D2</MCLdir>", "<LocationType>VWH",
                              "<ICatSpecCol>", "<ICatPresetCol>", "<ICatListCol>", "<Info "}) {
    EXPECT_NE(first.out.find(element), std::string::npos) << element;
  }
}

TEST_F(ToolTest, CheckReportsTheRoundTripAndWellFormedness) {
  const fs::path sample = File("sample.xml", Run("sample --items 25").out);
  const Outcome kept = Run("check " + sample.string());
  EXPECT_EQ(kept.status, 0) << kept.err;
  const std::string name = sample.string();
  EXPECT_EQ(kept.out, name + ": well-formed XML\n" + name + ": the round trip kept all " +
                          std::to_string(fs::file_size(sample)) + " bytes\n");

  // Standard input is compared as read; a file is read again for it.
  const std::string changing = "<Catalogs><Vehicle><Year>2004</Year></Vehicle>\n</Catalogs>";
  for (const std::string& source : {std::string("-"), File("changing.xml", changing).string()}) {
    const Outcome changed = Run("check " + source, changing);
    const std::string shown = source == "-" ? "standard input" : source;
    EXPECT_EQ(changed.status, 1);
    EXPECT_EQ(changed.out, shown + ": well-formed XML\n" + shown +
                               ": the round trip changed the text at line 1, column 12 (read 58 bytes, "
                               "wrote 89)\n");
  }
  // A text that is not well-formed is read only when asked.
  const std::string broken_text = "<Catalogs>\n<Vehicle></Catalogs>";
  const std::string fault = "standard input: not well-formed XML at line 2, column 10: </Catalogs> closes <Vehicle>\n";
  const Outcome broken = Run("check -", broken_text);
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(broken.out, fault + "standard input: not read (--lenient reads it as the library does)\n");
  const Outcome lenient = Run("check --lenient -", broken_text);
  EXPECT_EQ(lenient.status, 1);
  EXPECT_EQ(lenient.out, fault + "standard input: the round trip changed the text at line 1, column 11 (read 31 bytes, wrote 53)\n");
}

TEST_F(ToolTest, PrettyIndentsAndTheLibraryReadsItBackToTheSameCatalog) {
  const std::string sample = Run("sample --items 30").out;
  const fs::path indented = File("pretty.xml", Run("pretty -", sample).out);
  EXPECT_EQ(ReadFile(indented), lombar::tool::PrettyXml(sample));  // as XmlTextTest checks it
  // Converting a catalog document only reads and writes it back.
  const Outcome reread = Run("convert " + indented.string() + " --providers " + indented.string());
  EXPECT_EQ(reread.status, 0) << reread.err;
  EXPECT_EQ(reread.out, sample);
}

TEST_F(ToolTest, SortTakesModesByNumberOrNameAndSummarizeDropsUnchosenItems) {
  const fs::path hand = File("hand.xml", kHandWritten);
  const Outcome by_name = Run("sort " + hand.string() + " --aftermarket qccisDSCcostHILO");
  ASSERT_EQ(by_name.status, 0) << by_name.err;
  EXPECT_EQ(by_name.out, Run("sort " + hand.string() + " --aftermarket 2 --noncatalog 0").out);
  const std::string order = Run("show -", by_name.out).out;
  EXPECT_LT(order.find("Disc Brake"), order.find("Spark Plug"));  // by description first

  const fs::path sorted = folder_ / "sorted.xml";
  EXPECT_EQ(Run("sort " + hand.string() + " --aftermarket 1 -o " + sorted.string()).out, "");
  EXPECT_EQ(ReadFile(sorted), Run("sort - --aftermarket qCCISmanufacturer", kHandWritten).out);

  const Outcome summary = Run("summarize " + hand.string());
  ASSERT_EQ(summary.status, 0) << summary.err;
  EXPECT_NE(summary.out.find("41-993"), std::string::npos);
  EXPECT_EQ(summary.out.find("BP1200"), std::string::npos);  // no status: dropped
}

TEST_F(ToolTest, ConvertFilesOldStyleItemsIntoTheDefaultProvidersStore) {
  const std::string items =
      "<Items><Count>1</Count><Collection><Item><LineCode>ACX</LineCode><ItemNumber>41-993"
      "</ItemNumber></Item></Collection></Items>";
  const fs::path providers = File("providers.xml", kHandWritten);
  const Outcome converted = Run("convert - --providers " + providers.string(), items);
  ASSERT_EQ(converted.status, 0) << converted.err;
  const auto report = nlohmann::json::parse(Run("show --format json -", converted.out).out);
  EXPECT_EQ(report["stores"][0]["directory"], "D1");
  EXPECT_EQ(report["stores"][0]["items"][0]["part_number"], "41-993");

  // A provider collection without a default one cannot take them.
  const fs::path no_default = File("none.xml",
                                   "<ICatProviderCol><Count>1</Count><Collection><Provider>"
                                   "<MCLdir>D2</MCLdir></Provider></Collection></ICatProviderCol>");
  const Outcome refused = Run("convert - --providers " + no_default.string(), items);
  EXPECT_EQ(refused.status, 2);
  EXPECT_TRUE(refused.err.starts_with("lombar: standard input: error 91: ")) << refused.err;
}

TEST_F(ToolTest, BadInputIsOneLineAndLeavesTheOutputFileAlone) {
  const fs::path output = File("out.xml", "as it was");
  const std::string hand = File("hand.xml", kHandWritten).string();
  const std::string missing = (folder_ / "missing.xml").string();
  const std::string binary = File("binary.xml", std::string("<Catalogs>\xff\xfe</Catalogs>")).string();
  // Cut after its last item: the stores' closing tags are missing.
  const std::string cut_text = kHandWritten.substr(0, kHandWritten.rfind("</Item>") + 7);
  const std::string cut = File("cut.xml", cut_text).string();
  std::string nested = "<Catalogs>";
  for (int level = 0; level < 300; ++level) nested += "<a>";
  const std::string deep = File("deep.xml", nested).string();
  const std::string words = File("words.txt", "just some words").string();
  // Well-formed but no catalog: taken for old-style items, which need a default provider.
  const std::string items = File("items.xml", "<Items><Count>0</Count></Items>").string();
  const std::map<std::string, std::string> values = {
      {"{out}", output.string()}, {"{hand}", hand}, {"{hand_text}", kHandWritten},
      {"{missing}", missing}, {"{folder}", folder_.string()}, {"{binary}", binary}, {"{cut}", cut},
      {"{cut_column}", std::to_string(cut_text.size() + 1)}, {"{deep}", deep}, {"{words}", words},
      {"{items}", items}};
  const auto filled = [&](std::string text) {
    for (const auto& [name, value] : values)
      for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value);
    return text;
  };
  for (const auto& row : lombar::testing::ReadCases("tools/BadInput.cases", 3)) {
    const Outcome failed = Run(filled(row[0]), filled(row[1]));
    EXPECT_EQ(failed.status, 2) << row.where;
    EXPECT_EQ(failed.err, "lombar: " + filled(row[2]) + "\n") << row.where;
    EXPECT_EQ(failed.out, "") << row.where;
    EXPECT_EQ(ReadFile(output), "as it was") << row.where;
  }
  // --lenient reads what the library reads, with a warning.
  const Outcome lenient = Run("sort --lenient " + cut);
  EXPECT_EQ(lenient.status, 0);
  EXPECT_EQ(lenient.err, "lombar: " + cut + ": warning: not well-formed XML at line 1, column " +
                             std::to_string(cut_text.size() + 1) +
                             ": <Collection> is not closed (read as the library reads it)\n");
}

TEST_F(ToolTest, OutputReplacesItsFileWithoutFollowingPlantedLinks) {
  const std::string hand = File("hand.xml", kHandWritten).string();
  const std::string sorted = Run("sort " + hand).out;
  const fs::path kept = File("kept.xml", "before"), target = File("target.xml", "before");
  const fs::path victim = File("victim", "untouched");
  fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
  fs::create_symlink("target.xml", folder_ / "link.xml");
  // A link planted where a process's partial file once went, by its id.
  EXPECT_EQ(Shell("ln -s victim kept.xml.partial-$$ && exec $LOMBAR sort hand.xml -o kept.xml").status, 0);
  EXPECT_EQ(Shell("umask 027 && exec $LOMBAR sort hand.xml -o new.xml").status, 0);
  EXPECT_EQ(Run("sort hand.xml -o link.xml").status, 0);

  EXPECT_EQ(ReadFile(victim), "untouched");
  for (const fs::path& written : {kept, target, folder_ / "new.xml"}) EXPECT_EQ(ReadFile(written), sorted);
  using enum fs::perms;
  EXPECT_EQ(fs::status(kept).permissions(), owner_read | owner_write | others_read);
  EXPECT_EQ(fs::status(target).permissions(), owner_read | group_read);
  EXPECT_EQ(fs::status(folder_ / "new.xml").permissions(), owner_read | owner_write | group_read);
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.xml"));
  for (const auto& entry : fs::directory_iterator(folder_)) {  // nothing of the tool's left behind
    EXPECT_TRUE(entry.path().filename().string().find(".partial-") == std::string::npos || entry.is_symlink())
        << entry.path();
  }
}

// The words of a help's section ("Options:") that start its lines, each
// name of an option apart: {"-h", "--help", "--format", ...}.
std::set<std::string> HelpSection(const std::string& help, const std::string& heading) {
  std::set<std::string> words;
  std::istringstream lines(help.substr(help.find("\n" + heading + ":\n") + heading.size() + 3));
  for (std::string line; std::getline(lines, line) && !line.empty();) {
    if (!line.starts_with("  ") || line[2] == ' ') continue;
    std::istringstream names(line.substr(2, line.find(' ', 2) - 2));
    for (std::string name; std::getline(names, name, ',');) words.insert(name);
  }
  return words;
}

TEST_F(ToolTest, HelpVersionCompletionAndManualPageFollowTheOptions) {
  const Outcome version = Run("--version");
  EXPECT_EQ(version.out, "lombar 3.0 (type library qorkwz_LOMBARv3 1.2)\n");
  const Outcome help = Run("--help");
  const std::set<std::string> commands = HelpSection(help.out, "Subcommands");
  ASSERT_EQ(commands, (std::set<std::string>{"show", "sort", "summarize", "convert", "check", "pretty", "sample", "schema", "diff"}));

  // Bash completes the words, as typed up to the last one, with these (it
  // splits --option=value into three words).
  File("complete.bash", "source <(\"$LOMBAR\" --bash-completion)\nCOMP_WORDS=(lombar \"$@\")\n"
                        "COMP_CWORD=$#\n_lombar\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n");
  const auto complete = [&](const std::string& words) {
    std::set<std::string> replies;
    std::istringstream lines(Shell("export LOMBAR && bash complete.bash " + words).out);
    for (std::string line; std::getline(lines, line);)
      if (!line.empty()) replies.insert(line);
    return replies;
  };
  EXPECT_EQ(complete("''"), commands);
  EXPECT_EQ(complete("-"), HelpSection(help.out, "Options"));
  EXPECT_EQ(complete("show --format ''"), (std::set<std::string>{"text", "json"}));
  EXPECT_EQ(complete("sort --aftermarket qCCISdscCost"), (std::set<std::string>{"qCCISdscCostHiLo", "qCCISdscCostLoHi"}));
  EXPECT_EQ(complete("convert --providers = comp"), std::set<std::string>{"complete.bash"});
  EXPECT_EQ(complete("sample --items ''"), std::set<std::string>{});

  const Outcome manual = Shell("\"$LOMBAR\" --manual-page >lombar.1 && (command -v groff >/dev/null || exit 0; "
                               "groff -man -ww -z -Tutf8 lombar.1)");
  EXPECT_EQ(manual.status, 0);
  EXPECT_EQ(manual.err, "");  // groff's warnings
  const std::string page = ReadFile(folder_ / "lombar.1");
  for (const char* section : {".SH NAME\n", ".SH SYNOPSIS\n", ".SH COMMANDS\n", ".SH EXIT STATUS\n"}) {
    EXPECT_NE(page.find(section), std::string::npos) << section;
  }
  for (const std::string& command : commands) {
    const Outcome command_help = Run(command + " --help");
    EXPECT_EQ(command_help.status, 0) << command;
    // No CLI11 types or checks in the help: the values go by their names.
    for (const char* noise : {"TEXT", "INT", "ENUM", ":{", "->"}) {
      EXPECT_EQ(command_help.out.find(noise), std::string::npos) << command << ": " << noise;
    }
    const std::set<std::string> options = HelpSection(command_help.out, "Options");
    EXPECT_EQ(complete(command + " -"), options) << command;
    const std::string section = page.substr(page.find(".SS " + command + "\n"));
    for (std::string option : options) {
      if (option == "-h" || option == "--help") continue;  // the tool's, once
      for (std::size_t dash = 0; (dash = option.find('-', dash)) != std::string::npos; dash += 2) option.insert(dash, "\\");
      EXPECT_NE(section.substr(0, section.find(".S", 1)).find("\\fB" + option + "\\fR"), std::string::npos)
          << command << " " << option;
    }
  }
}

// The schema, checked by a validator this project did not write: it takes
// samples and what every class writes with the switches off and on, and
// refuses a document with an element it does not know, an element out of
// its place, a word where a number belongs and a count beyond 16 bits.
TEST_F(ToolTest, SchemaTakesWhatTheLibraryWritesAndRefusesBrokenDocuments) {
  if (Shell("command -v xmllint").status != 0) GTEST_SKIP() << "xmllint is not installed";
  ASSERT_EQ(Run("schema -o catalog.xsd").status, 0);
  const auto valid = [&](const std::string& schema, const std::string& document) {
    File("document.xml", document);
    const Outcome outcome = Shell("xmllint --noout --schema " + schema + " document.xml");
    return outcome.status == 0 ? std::string() : outcome.err;
  };
  const auto sample = [&](const std::string& arguments) { return Run("sample " + arguments).out; };
  const std::string document = sample("--seed 4 --stores 2 --items 30 --prices 0");
  for (const std::string& written :
       {document, sample("--seed 9 --items 0"), sample("--seed 1 --stores 3 --items 60 --prices 3"),
        Run("summarize -", document).out, Run("sort --aftermarket 3 --noncatalog 8 -", document).out}) {
    EXPECT_EQ(valid("catalog.xsd", written), "") << written.substr(0, 300);
  }
  for (const auto& edit : lombar::testing::ReadCases("tools/SchemaRefuses.cases", 3))
    EXPECT_NE(valid("catalog.xsd", Edited(document, edit[0], edit[1])), "") << edit.where << " " << edit[2];
  EXPECT_NE(valid("catalog.xsd", kHandWritten), "");  // not as the library writes: flags left out

  std::istringstream golden(ReadFile(LOMBAR_TEST_DATA_DIR "/model/ClassXml.golden"));
  std::set<std::string> schemas;
  for (std::string label, xml; std::getline(golden, label);) {
    if (label.starts_with('#') || !std::getline(golden, xml) || xml.empty()) continue;
    const std::string class_name = label.substr(0, label.find(' '));
    if (schemas.insert(class_name).second) {
      ASSERT_EQ(Run("schema --of " + class_name + " -o " + class_name + ".xsd").status, 0);
    }
    EXPECT_EQ(valid(class_name + ".xsd", xml), "") << label;
  }
  EXPECT_EQ(schemas.size(), 20u);
  EXPECT_EQ(Run("schema --of Collection").err, "lombar: --of: error 5: Invalid procedure call or argument (no class Collection with an XML form)\n");
}

// A document the library writes passes through JSON and back byte for byte;
// numbers and flags are JSON's own.
TEST_F(ToolTest, ConvertToJsonAndBackKeepsEveryByte) {
  for (const char* arguments : {"--seed 2", "--seed 5 --items 40 --stores 3 --prices 0", "--seed 8 --items 0"}) {
    const std::string document = Run(std::string("sample ") + arguments).out;
    const Outcome json = Run("convert --to JSON -", document);
    ASSERT_EQ(json.status, 0) << json.err;
    const Outcome back = Run("convert --from json -", json.out);
    EXPECT_EQ(back.out, document) << arguments << back.err;
  }
  const auto json = nlohmann::json::parse(Run("convert --to json -", kHandWritten).out);
  const auto& price = json["ICatStoreCol"]["Collection"][0]["Items"]["Collection"][0]["Prices"]["Collection"][0];
  EXPECT_EQ(price["Cost"], 3.1);
  EXPECT_EQ(json["ICatProviderCol"]["Collection"][1]["Default"], false);
  EXPECT_EQ(json["Vehicle"]["Year"], "2004");  // the vehicle holds its year as a text
}

// diff matches members by their keys and compares values as the library
// reads them: silent on the same meaning, one line a change.
TEST_F(ToolTest, DiffNamesEachChangeByWhereItIs) {
  File("hand.xml", kHandWritten);
  for (const auto& edit : lombar::testing::ReadCases("tools/Diff.cases", 3)) {
    const Outcome outcome = Run("diff hand.xml -", Edited(kHandWritten, edit[0], edit[1]));
    EXPECT_EQ(outcome.out, edit[2]) << edit.where;
    EXPECT_EQ(outcome.status, edit[2].empty() ? 0 : 1) << edit.where << outcome.err;
  }

  // A summarize only removes, a sort only reorders; a pretty document means the same.
  File("sample.xml", Run("sample --seed 4 --items 24 --stores 2").out);
  const Outcome summarized = Shell("\"$LOMBAR\" summarize sample.xml | \"$LOMBAR\" diff sample.xml -");
  EXPECT_EQ(summarized.status, 1);
  std::istringstream lines(summarized.out);
  int removed = 0;
  for (std::string line; std::getline(lines, line); ++removed) EXPECT_TRUE(line.ends_with(": removed")) << line;
  EXPECT_GT(removed, 0);
  const Outcome sorted = Shell("\"$LOMBAR\" sort --aftermarket 3 sample.xml | \"$LOMBAR\" diff sample.xml - --format json");
  const auto changes = nlohmann::json::parse(sorted.out);
  ASSERT_FALSE(changes.empty());
  for (const auto& change : changes) EXPECT_EQ(change["change"], "item order") << change;
  EXPECT_EQ(Shell("\"$LOMBAR\" pretty sample.xml | \"$LOMBAR\" diff sample.xml -").status, 0);
  EXPECT_EQ(Run("diff sample.xml missing.xml").status, 2);
}

}  // namespace
