#include "command_options.h"

#include <algorithm>

namespace zqtool {

bool read_command_options(const arguments& args, std::size_t first, std::initializer_list<std::string_view> valued,
                          std::initializer_list<std::string_view> flags, command_options& out) {
  command_options options;
  for (std::size_t i = first; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!arg.starts_with("--")) {
      options.positional.push_back(arg);
    } else if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
      if (i + 1 >= args.size() || options.has(arg)) return false;
      options.values.emplace(arg, args[++i]);
    } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
      if (options.has(arg)) return false;
      options.flags.insert(arg);
    } else {
      return false;
    }
  }
  out = std::move(options);
  return true;
}

}  // namespace zqtool
