// zqtool archive build and show run as a program: a source text and a folder of Flipper files
// built into archives and browsed back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

void write_text(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

constexpr const char* kSource =
    "# two categories, a shared command table\n"
    "category TV\n"
    "category Audio receiver\n"
    "table tv-basic\n"
    "  Power = 0x08   # unsure\n"
    "  Vol+ = 0x02\n"
    "end\n"
    "model TV | Acme | AC 100\n"
    "  codes tv-basic = NEC 0x04\n"
    "  signal Power = NEC 0x04 0x09\n"
    "  signal Input = pronto 0000 006D 0001 0000 0010 0020\n"
    "model Audio receiver | Beta | BR-1\n"
    "  signal Mute = RC5 0x10 0x0D\n"
    "  signal Learned = raw 38000 repeat 2 500 -500 900 -9000\n"
    "model TV | Beta | BT 7\n"
    "  codes tv-basic = Samsung32 0x07 0x07\n";

TEST(ArchiveTool, BuildsFromSourceAndShowsItBack) {
  zqtest::temp_folder folder;
  write_text(folder.path() / "source.txt", kSource);
  const std::string archive = (folder.path() / "archive.pdb").string();
  const zqtest::tool_run built = zqtest::run_zqtool({"archive", "build", (folder.path() / "source.txt").string(), archive});
  ASSERT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(built.out, "categories: 2\nbrands: 2\nmodels: 3\nsignals: 7\n");

  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive}).out,
            "categories: 2\nmodels: 3\ncategory: TV\ncategory: Audio receiver\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TV"}).out, "Acme\nBeta\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TV", "Beta"}).out, "BT 7\n");
  // The later "Power" replaced the table's in its place; Pronto and raw signals are not decoded.
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TV", "Acme", "AC 100"}).out,
            "Power: NEC 0x04 0x09 (readings 1)\n"
            "Vol+: NEC 0x04 0x02 (readings 1)\n"
            "Input: raw carrier 26 count 2 repeat 2 (readings 1)\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "Audio receiver", "Beta", "BR-1"}).out,
            "Mute: RC5 0x10 0x0D (readings 2)\n"
            "Learned: raw carrier 26 count 4 repeat 2 (readings 1)\n");
  const zqtest::tool_run missing = zqtest::run_zqtool({"archive", "show", archive, "TV", "Gamma"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "no brand \"Gamma\" in the archive\nerror: 1113\n");
}

TEST(ArchiveTool, SourceErrorsNameTheLineAndWriteNothing) {
  zqtest::temp_folder folder;
  const std::string archive = (folder.path() / "archive.pdb").string();
  const std::pair<std::string, std::string> cases[] = {
      {"category TV\nmodel VCR | A | B\n", ":2: unknown category \"VCR\"\nerror: 1115\n"},
      {"category TV\nmodel TV | A | B\n  signal Power = NEC 0x104 0x08\n",
       ":3: protocol code 1082 for \"NEC 0x104 0x08\"\nerror: 1115\n"},
      {"category TV\nmodel TV | A | B\n  codes none = NEC 0x04\n", ":3: unknown table \"none\"\nerror: 1115\n"},
      {"category TV\ntable t\n  Power = 0x01\n", ":3: table \"t\" has no \"end\"\nerror: 1115\n"},
      {"category TV\n", ":0: an archive needs at least one category and one model\nerror: 1116\n"},
  };
  for (const auto& [text, err] : cases) {
    const std::filesystem::path source = folder.path() / "source.txt";
    write_text(source, text);
    const zqtest::tool_run run = zqtest::run_zqtool({"archive", "build", source.string(), archive});
    EXPECT_EQ(run.status, 1) << text;
    EXPECT_EQ(run.err, source.string() + err) << text;
    EXPECT_FALSE(std::filesystem::exists(archive)) << text;
  }
}

TEST(ArchiveTool, BuildsFromAFolderOfFlipperFiles) {
  zqtest::temp_folder folder;
  const std::filesystem::path irdb = folder.path() / "irdb";
  write_text(irdb / "TVs" / "Samsung" / "UE40.ir",
             "Filetype: IR signals file\nVersion: 1\n"
             "# \nname: Power\ntype: parsed\nprotocol: Samsung32\naddress: 07 00 00 00\ncommand: 02 00 00 00\n"
             "# \nname: Vol_up\ntype: parsed\nprotocol: Samsung32\naddress: 07 00 00 00\ncommand: 07 00 00 00\n"
             "# \nname: Odd\ntype: parsed\nprotocol: Pioneer\naddress: AA 00 00 00\ncommand: 1C 00 00 00\n");
  write_text(irdb / "TVs" / "Philips" / "32PFL.ir",
             "Filetype: IR signals file\nVersion: 1\n"
             "name: Mute\ntype: parsed\nprotocol: RC6\naddress: 00 00 00 00\ncommand: 0D 00 00 00\n"
             "name: Input\ntype: raw\nfrequency: 36000\nduty_cycle: 0.33\ndata: 2666 889 444 444\n");
  write_text(irdb / "Audio" / "Samsung" / "HW-Q60.ir",
             "Filetype: IR signals file\nVersion: 1\n"
             "name: Power\ntype: parsed\nprotocol: NECext\naddress: 2C 2C 00 00\ncommand: 1E E1 00 00\n");
  write_text(irdb / "Audio" / "Broken" / "Bad.ir", "Filetype: Sub-GHz RAW File\n");
  const std::string archive = (folder.path() / "flipper.pdb").string();
  const zqtest::tool_run built = zqtest::run_zqtool({"archive", "build", "--from-flipper", irdb.string(), archive});
  ASSERT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(built.out, "categories: 2\nbrands: 2\nmodels: 3\nsignals: 5\n");
  EXPECT_NE(built.err.find("Odd (Pioneer): skipped (1119)"), std::string::npos) << built.err;
  EXPECT_NE(built.err.find("Bad.ir:1: not a Flipper IR file (1118), skipped"), std::string::npos) << built.err;

  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive}).out,
            "categories: 2\nmodels: 3\ncategory: Audio\ncategory: TVs\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TVs"}).out, "Philips\nSamsung\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TVs", "Samsung", "UE40"}).out,
            "Power: Samsung32 0x07 0x07 0x02 (readings 1)\nVol+: Samsung32 0x07 0x07 0x07 (readings 1)\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "TVs", "Philips", "32PFL"}).out,
            "Mute: RC6 0x00 0x0D (readings 2)\nInput: raw carrier 28 count 4 repeat 4 (readings 1)\n");
  EXPECT_EQ(zqtest::run_zqtool({"archive", "show", archive, "Audio", "Samsung", "HW-Q60"}).out,
            "Power: NECext 0x2C 0x2C 0x1E (readings 1)\n");
}

}  // namespace
