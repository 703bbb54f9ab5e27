// Every step of every operation that writes database files is made to fail in turn, once (the
// step fails and the program goes on) and from then on (the process dies there). Afterwards the
// stored databases must be whole: the old content or the new, never neither, never torn; after a
// failure the program survived, no sibling or copy may remain, the catalog must agree with the
// disk, and no file handle may leak.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "storage/database.h"
#include "storage/database_catalog.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using names_t = std::vector<std::string>;
using mode = xman::database::open_mode_t;

const xman::catalog_filter kFilter{{xman::kCreator, xman::kTypeCodebase}, {xman::kCreator, xman::kTypeCodebaseTemporary}};
const bytes kStored = zqtest::database_image("TV", "Rda1", 330, {{1, 2, 3}, {4, 5}});

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

// The catalog holds exactly what a fresh scan of its folder finds.
void expect_catalog_agrees_with_disk(const xman::database_catalog& catalog) {
  xman::database_catalog fresh;
  fresh.set_up(catalog.folder(), kFilter);
  ASSERT_EQ(catalog.names(), fresh.names());
  for (const auto& name : fresh.names()) {
    const auto mine = catalog.attributes_of(name);
    const auto disk = fresh.attributes_of(name);
    EXPECT_EQ(mine->path, disk->path) << name;
    EXPECT_EQ(mine->creator, disk->creator) << name;
    EXPECT_EQ(mine->type, disk->type) << name;
    EXPECT_EQ(mine->version, disk->version) << name;
  }
}

// What one run works on: a fresh folder holding tv.pdb (kStored), a catalog set up on it, and a
// database object for operations on an open database.
struct context {
  zqtest::temp_folder folder;
  xman::database_catalog catalog;
  xman::database db;
};

// One operation and the folder before and after it.
struct fault_case {
  std::function<void(context&)> prepare = [](context&) {};  // not counted, never failed
  std::function<zq::result_t(context&)> run;
  // Checks the objects still work after the operation, whatever its outcome (faults are off).
  std::function<void(context&)> still_usable = [](context&) {};
  names_t before{"tv.pdb"};
  std::vector<bytes> before_content{kStored};
  names_t after;
  std::vector<bytes> after_content;  // of each file of `after`
};

class DatabaseFaultInjection : public ::testing::Test {
 protected:
  void TearDown() override { platform::file_faults::reset(); }

  // Runs the case once to count its file operations, then fails each of them in turn.
  void fail_every_step(const fault_case& c) {
    const long count = count_operations(c);
    ASSERT_GT(count, 0);
    for (long n = 1; n <= count; ++n) {
      for (bool sticky : {false, true}) {
        SCOPED_TRACE(testing::Message() << "failing operation " << n << " of " << count << (sticky ? ", sticky" : ""));
        run_with_failure(c, n, sticky);
      }
    }
  }

 private:
  static void start(context& x, const fault_case& c) {
    zqtest::write_bytes(x.folder.path() / "tv.pdb", kStored);
    x.catalog.set_up(x.folder.device_path(), kFilter);
    c.prepare(x);
  }

  long count_operations(const fault_case& c) {
    context x;
    start(x, c);
    platform::file_faults::reset();
    EXPECT_EQ(c.run(x), 0);
    const long count = platform::file_faults::operations();
    EXPECT_EQ(zqtest::listing(x.folder.path()), c.after);
    EXPECT_TRUE(holds(x, c.after, c.after_content));
    expect_catalog_agrees_with_disk(x.catalog);
    return count;
  }

  void run_with_failure(const fault_case& c, long n, bool sticky) {
    const std::size_t descriptors = open_descriptors();
    {
      context x;
      start(x, c);
      platform::file_faults::fail_operation(n, sticky);
      const zq::result_t result = c.run(x);
      platform::file_faults::reset();

      const names_t listing = zqtest::listing(x.folder.path());
      const bool old_whole = holds(x, c.before, c.before_content);
      const bool new_whole = holds(x, c.after, c.after_content);
      if (sticky) {
        // The process died there: files in the making may remain, beside whole databases.
        EXPECT_TRUE(old_whole || new_whole);
      } else {
        if (result == 0) {
          EXPECT_TRUE(new_whole);
        } else {
          // Only a failure after the commit (re-opening the saved file) may show the new state.
          EXPECT_TRUE(old_whole || new_whole);
        }
        EXPECT_TRUE(listing == c.before || listing == c.after) << "stray files: " << testing::PrintToString(listing);
        expect_catalog_agrees_with_disk(x.catalog);
      }
      c.still_usable(x);
    }
    EXPECT_EQ(open_descriptors(), descriptors);
  }

  // Every named file exists with its content.
  static bool holds(const context& x, const names_t& names, const std::vector<bytes>& content) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      const auto path = x.folder.path() / names[i];
      if (!std::filesystem::exists(path) || zqtest::read_bytes(path) != content[i]) return false;
    }
    return true;
  }
};

TEST_F(DatabaseFaultInjection, DatabaseSave) {
  const bytes saved = zqtest::database_image("TV", "Rda1", 330, {{4, 5}, {6, 6, 6, 6}});
  fault_case c;
  c.prepare = [](context& x) {
    ASSERT_EQ(x.db.open(x.folder.device_path("tv.pdb"), mode::read_write), 0);
    x.db.remove_record(0);
    x.db.add_record(bytes{6, 6, 6, 6});
  };
  c.run = [](context& x) { return x.db.save(); };
  c.still_usable = [&](context& x) {
    ASSERT_EQ(x.db.record_count(), 2u);
    EXPECT_EQ(bytes(x.db.record(0).begin(), x.db.record(0).end()), (bytes{4, 5}));
    EXPECT_EQ(bytes(x.db.record(1).begin(), x.db.record(1).end()), (bytes{6, 6, 6, 6}));
    ASSERT_EQ(x.db.save(), 0);
    EXPECT_EQ(zqtest::read_bytes(x.folder.path() / "tv.pdb"), saved);
    EXPECT_EQ(zqtest::listing(x.folder.path()), names_t{"tv.pdb"});
  };
  c.after = {"tv.pdb"};
  c.after_content = {saved};
  fail_every_step(c);
}

TEST_F(DatabaseFaultInjection, CatalogCreate) {
  fault_case c;
  c.run = [](context& x) { return x.catalog.create("Radio", xman::kCreator, xman::kTypeCodebase, 330); };
  c.after = {"Radio.pdb", "tv.pdb"};
  c.after_content = {zqtest::database_image("Radio", "Rda1", 330, {}), kStored};
  fail_every_step(c);
}

TEST_F(DatabaseFaultInjection, CatalogDuplicate) {
  fault_case c;
  c.run = [](context& x) { return x.catalog.duplicate("TV", "TV copy"); };
  c.after = {"TV_copy.pdb", "tv.pdb"};
  c.after_content = {zqtest::database_image("TV copy", "Rda1", 330, {{1, 2, 3}, {4, 5}}), kStored};
  fail_every_step(c);
}

TEST_F(DatabaseFaultInjection, CatalogRename) {
  fault_case c;
  c.run = [](context& x) { return x.catalog.rename("TV", "Den"); };
  c.after = {"Den.pdb"};
  c.after_content = {zqtest::database_image("Den", "Rda1", 330, {{1, 2, 3}, {4, 5}})};
  fail_every_step(c);
}

TEST_F(DatabaseFaultInjection, CatalogRemove) {
  fault_case c;
  c.run = [](context& x) { return x.catalog.remove("TV"); };
  c.still_usable = [](context& x) {
    // A failed deletion keeps the entry, so deleting again works.
    ASSERT_EQ(x.catalog.remove("TV"), 0);
    EXPECT_TRUE(zqtest::listing(x.folder.path()).empty());
  };
  c.after = {};
  fail_every_step(c);
}

TEST_F(DatabaseFaultInjection, CatalogSetAttributes) {
  fault_case c;
  c.run = [](context& x) { return x.catalog.set_attributes("TV", std::nullopt, xman::kTypeCodebaseTemporary, 331); };
  c.after = {"tv.pdb"};
  c.after_content = {zqtest::database_image("TV", "temp", 331, {{1, 2, 3}, {4, 5}})};
  fail_every_step(c);
}

}  // namespace
