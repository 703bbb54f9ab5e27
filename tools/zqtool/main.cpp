// zqtool: the command-line companion. Inspects and builds documents, database files, codebases,
// profiles and skin libraries, parses Pronto hex text, sends and learns IR signals on simulated or
// real hardware, and shows and changes the settings file.
#include <cstdio>
#include <string>

#include "zqtool_commands.h"

namespace zqtool {

namespace {

// What --help prints: one line per command (or per line of explanation), grouped by command group.
constexpr const char* help_lines[] = {
    "zqtool meta dump FILE|-                       lossless text form of a binary document",
    "zqtool meta compile [--names] TEXT OUT        text form back to a document (--names: indexed)",
    "zqtool pdb info FILE                          header and record sizes of a database file",
    "zqtool codebase list DIR                      codebase names of a codebases folder",
    "zqtool codebase create DIR NAME               new empty codebase; prints its file path",
    "zqtool codebase signals FILE                  INDEX NAME per signal record",
    "zqtool codebase macros FILE                   INDEX NAME per macro record",
    "zqtool codebase show FILE NAME [--reading 1|2]",
    "zqtool codebase put-signal FILE NAME [--replace] --carrier P --repeat R DURATION...",
    "zqtool codebase put-signal FILE NAME --pronto TEXT...   Pronto hex as the signal (replacing it)",
    "zqtool codebase remove FILE NAME",
    "zqtool pronto TEXT...                         the signal Pronto hex text gives",
    "zqtool ir send FILE NAME --sim CPU [--clock HZ] [--passes N] [--hold MS] [--ir-uart 0|1|2|3]",
    "               [--port NAME] [--edges]",
    "zqtool ir learn --sim CPU [--clock HZ] --input FILE [--carrier HZ]",
    "zqtool ir send FILE NAME --lirc DEVICE [--passes N]",
    "zqtool ir learn --lirc DEVICE",
    "zqtool macro show FILE NAME                   one line per item, as the macro editor lists them",
    "zqtool macro put FILE NAME ITEM...            writes the macro NAME from its items",
    "       ITEM: signal NAME [base CODEBASE] [repeat N|once] [time MS]   (repeat 0: three passes)",
    "             macro NAME [base CODEBASE] | delay MS | action TEXT",
    "zqtool macro play FILE NAME --sim CPU [--continue 0|1]",
    "       plays on a simulated handheld: send CODEBASE/SIGNAL passes N | delay MS | action TEXT |",
    "       error CATEGORY CODE per event; exit 1 when an error stopped the macro (--continue 0)",
    "zqtool settings show FILE                     every field of a settings file (Zequon.pref)",
    "zqtool settings set FILE FIELD VALUE          FIELD: first-run 0|1, sounds 0|1, orientation -1..3,",
    "                                              screen-class -1..6, ir-port, import-folder,",
    "                                              recent NAME (made most recent), remove-recent NAME",
    "zqtool profile show FILE [--codebases DIR]    the room of a main profile or saved preference",
    "zqtool profile put FILE TEXT [--preference NAME]   writes a main profile (or preference) from a room text",
    "zqtool skin build DIR OUT.dll                 resource-only library (a skin) from DIR/manifest.txt",
    "zqtool skin list FILE.dll                     TYPE ID SIZE per resource",
    "zqtool archive build SOURCE OUT.pdb           IR archive from its source text (data/archive)",
    "zqtool archive build --from-flipper DIR OUT.pdb   IR archive from DIR/CATEGORY/BRAND/MODEL.ir files",
    "zqtool archive show FILE [CATEGORY [BRAND [MODEL]]]   categories, brands, models or a model's signals",
};

int help() {
  for (const char* line : help_lines) std::printf("%s\n", line);
  return 0;
}

}  // namespace

int fail(int code) {
  std::fprintf(stderr, "error: %d\n", code);
  return 1;
}

int usage(const char* text) {
  std::fprintf(stderr, "usage: zqtool %s\n", text);
  return 2;
}

}  // namespace zqtool

int main(int argc, char** argv) {
  if (argc < 2) {
    return zqtool::usage("meta|pdb|codebase|pronto|ir|macro|settings|profile|skin|archive ... (--help: every command)");
  }
  const std::string group = argv[1];
  if (group == "--help" || group == "help") return zqtool::help();
  const zqtool::arguments args(argv + 2, argv + argc);
  if (group == "meta") return zqtool::run_meta(args);
  if (group == "pdb") return zqtool::run_pdb(args);
  if (group == "codebase") return zqtool::run_codebase(args);
  if (group == "pronto") return zqtool::run_pronto(args);
  if (group == "ir") return zqtool::run_ir(args);
  if (group == "macro") return zqtool::run_macro(args);
  if (group == "settings") return zqtool::run_settings(args);
  if (group == "profile") return zqtool::run_profile(args);
  if (group == "skin") return zqtool::run_skin(args);
  if (group == "archive") return zqtool::run_archive(args);
  return zqtool::usage("meta|pdb|codebase|pronto|ir|macro|settings|profile|skin|archive ... (--help: every command)");
}
