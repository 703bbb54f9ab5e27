// The command groups of zqtool. Each takes the arguments after its group word and returns the
// process exit status; failures print "error: CODE" (or the reader's message) to standard error.
#pragma once

#include <string>
#include <vector>

namespace zqtool {

using arguments = std::vector<std::string>;

int run_meta(const arguments& args);
int run_pdb(const arguments& args);
int run_codebase(const arguments& args);
int run_pronto(const arguments& args);
int run_ir(const arguments& args);
int run_macro(const arguments& args);
int run_settings(const arguments& args);
int run_profile(const arguments& args);
int run_skin(const arguments& args);
int run_archive(const arguments& args);

// Prints "error: CODE" to standard error and returns the failure status.
int fail(int code);
// Prints a usage line to standard error and returns the usage status.
int usage(const char* text);

}  // namespace zqtool
