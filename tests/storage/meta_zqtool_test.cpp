// zqtool meta dump / compile, run as the built program on files in a temporary folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/meta_event_log.h"
#include "support/temp_folder.h"

namespace {

using zqtest::meta_bytes;

struct tool_run {
  int status;
  std::string out;
  std::string err;
};

std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void spill(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string as_text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Runs zqtool with arguments (already quoted for the shell), standard input from stdin_file if any.
tool_run zqtool(const zqtest::temp_folder& dir, const std::string& arguments, const std::string& stdin_file = "") {
  const auto out = dir.path() / "stdout";
  const auto err = dir.path() / "stderr";
  std::string command = std::string("'") + ZQTOOL_PATH + "' " + arguments + " >'" + out.string() + "' 2>'" +
                        err.string() + "'";
  if (!stdin_file.empty()) command += " <'" + stdin_file + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(out), slurp(err)};
}

std::string quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Built from the byte layout by hand, not by the writer.
std::vector<std::uint8_t> layout_document() {
  return meta_bytes{}
      .open("?names")
      .str("page")
      .str("button")
      .str("x")
      .close()
      .open(1)
      .open(2)
      .add({0x03, 0x22, 0, 3, 0x22, 0x01, 0x00})
      .add({0x03, 0x2A, 6, 'l', 'a', 'b', 'e', 'l', 0, 0x2A, 6, 'P', 'o', 'w', 'e', 'r', 0})
      .add({0x24})
      .close()
      .close()
      .bytes();
}

const char* const layout_text =
    "?names {\n"
    "  string \"page\\0\"\n"
    "  string \"button\\0\"\n"
    "  string \"x\\0\"\n"
    "}\n"
    "page[1] {\n"
    "  button[2] {\n"
    "    x[3] = int16 256\n"
    "    label = string \"Power\\0\"\n"
    "    bool true\n"
    "  }\n"
    "}\n";

TEST(MetaZqtool, DumpPrintsTheTextAndCompileOfItGivesTheSameBytes) {
  zqtest::temp_folder dir;
  const auto doc = dir.path() / "layout.bin";
  spill(doc, as_text(layout_document()));
  const tool_run dump = zqtool(dir, "meta dump " + quoted(doc));
  EXPECT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out, layout_text);

  const auto text = dir.path() / "layout.txt";
  const auto again = dir.path() / "again.bin";
  spill(text, dump.out);
  const tool_run compile = zqtool(dir, "meta compile " + quoted(text) + " " + quoted(again));
  EXPECT_EQ(compile.status, 0) << compile.err;
  EXPECT_EQ(slurp(again), as_text(layout_document()));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "again.bin.new"));
}

TEST(MetaZqtool, DumpReadsStandardInput) {
  zqtest::temp_folder dir;
  const auto doc = dir.path() / "layout.bin";
  spill(doc, as_text(layout_document()));
  const tool_run dump = zqtool(dir, "meta dump -", doc.string());
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(dump.out, layout_text);
}

TEST(MetaZqtool, MalformedDocumentPrintsTheReaderMessage) {
  zqtest::temp_folder dir;
  const auto doc = dir.path() / "bad.bin";
  std::vector<std::uint8_t> bad = layout_document();
  bad.pop_back();  // the end byte of the page
  spill(doc, as_text(bad));
  const tool_run dump = zqtool(dir, "meta dump " + quoted(doc));
  EXPECT_EQ(dump.status, 1);
  EXPECT_EQ(dump.out, "");
  EXPECT_EQ(dump.err, "meta::parse_exception: file is in wrong format\n");
}

TEST(MetaZqtool, CompileWithNamesWritesAnIndexedDocument) {
  zqtest::temp_folder dir;
  const auto text = dir.path() / "page.txt";
  const auto out = dir.path() / "page.bin";
  spill(text, "page {\n  button {\n    x = int16 256\n    label = string \"Power\"\n    bool true\n  }\n}\n");
  const tool_run compile = zqtool(dir, "meta compile --names " + quoted(text) + " " + quoted(out));
  EXPECT_EQ(compile.status, 0) << compile.err;
  // Same as the hand-built layout except that "label" is numbered too.
  const auto expected = meta_bytes{}
                            .open("?names")
                            .str("page")
                            .str("button")
                            .str("x")
                            .str("label")
                            .close()
                            .open(1)
                            .open(2)
                            .add({0x03, 0x22, 0, 3, 0x22, 0x01, 0x00})
                            .add({0x03, 0x22, 0, 4, 0x2A, 6, 'P', 'o', 'w', 'e', 'r', 0})
                            .add({0x24})
                            .close()
                            .close()
                            .bytes();
  EXPECT_EQ(slurp(out), as_text(expected));
}

TEST(MetaZqtool, MalformedTextNamesItsLineAndLeavesTheOutputAlone) {
  zqtest::temp_folder dir;
  const auto text = dir.path() / "page.txt";
  const auto out = dir.path() / "page.bin";
  spill(out, "old content");
  spill(text, "page {\n  int8 1\n  x = int8 2\n}\n");
  const tool_run compile = zqtool(dir, "meta compile " + quoted(text) + " " + quoted(out));
  EXPECT_EQ(compile.status, 1);
  EXPECT_EQ(compile.err, text.string() + ":3: attributes come before the content of an element\n");
  EXPECT_EQ(slurp(out), "old content");
}

TEST(MetaZqtool, WrongArgumentsPrintUsage) {
  zqtest::temp_folder dir;
  const tool_run none = zqtool(dir, "meta");
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("usage: zqtool meta dump FILE"), std::string::npos);
  EXPECT_EQ(zqtool(dir, "meta compile only-one").status, 2);
  const tool_run missing = zqtool(dir, "meta dump " + quoted(dir.path() / "absent.bin"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: 2\n");
}

}  // namespace
