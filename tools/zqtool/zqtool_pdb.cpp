// zqtool pdb info FILE: the header fields and record sizes of a database file.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "storage/database.h"
#include "zqtool_commands.h"

namespace zqtool {
namespace {

int info(const std::string& file) {
  xman::database db;
  const std::wstring path = platform::device_path(std::filesystem::path(file));
  if (const zq::result_t result = db.open(path, xman::database::open_mode_t::read_only); result != zq::rc::ok) {
    return fail(result);
  }
  const std::string type(db.type().view());
  const std::string creator(db.creator().view());
  std::printf("name: %s\ntype: %s\ncreator: %s\nversion: %u\nrecords: %zu\n", db.name().c_str(), type.c_str(),
              creator.c_str(), static_cast<unsigned>(db.version()), db.record_count());
  for (std::size_t i = 0; i < db.record_count(); ++i) std::printf("record %zu: %zu\n", i, db.record(i).size());
  return 0;
}

}  // namespace

int run_pdb(const arguments& args) {
  if (args.size() == 2 && args[0] == "info") return info(args[1]);
  return usage("pdb info FILE");
}

}  // namespace zqtool
