// Every file operation of saving the main profile, saving a preference and loading a preference
// is made to fail in turn, once (the step fails and the program goes on) and from then on (the
// process dies there). Afterwards the main profile and the preference are each the old database
// or the new one, whole; after a failure the program survived, no sibling remains, the catalog
// agrees with the disk and no file handle leaks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "storage/database_catalog.h"
#include "storage/main_profile.h"
#include "storage/preferences.h"
#include "storage/room_document.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using names_t = std::vector<std::string>;

bytes document(const std::string& current) {
  remote::room_state room;
  room.current = current;
  room.hot_buttons[2] = {"x", current, 3};
  bytes out;
  EXPECT_EQ(xman::write_room_document(room, out), 0);
  return out;
}
const bytes kOld = document("Old");
const bytes kNew = document("New");
const bytes kMainOld = zqtest::database_image("zq-main-profile", "dPrf", 0, {kOld});
const bytes kMainNew = zqtest::database_image("zq-main-profile", "dPrf", 0, {kNew});
const bytes kDenOld = zqtest::database_image("Den", "Prof", 0, {kOld});
const bytes kDenNew = zqtest::database_image("Den", "Prof", 0, {kNew});

std::size_t open_descriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

struct context {
  zqtest::temp_folder folder;
  xman::main_profile profile{folder.device_path("zq-main-profile.pdb")};
  xman::database_catalog catalog;
  xman::settings settings{folder.device_path("Zequon.pref")};
  xman::preferences preferences{catalog, profile, settings};
};

// A stored file: its content before and after the operation (nullopt: no such file).
struct watched_file {
  std::string path;  // inside the folder
  std::optional<bytes> before;
  std::optional<bytes> after;
};

struct fault_case {
  std::function<zq::result_t(context&)> run;
  std::vector<watched_file> files;
};

std::optional<bytes> content_of(const std::filesystem::path& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return zqtest::read_bytes(path);
}

names_t all_files(const std::filesystem::path& folder) {
  names_t names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) names.push_back(entry.path().lexically_relative(folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class ProfileFaultInjection : public ::testing::Test {
 protected:
  void TearDown() override { platform::file_faults::reset(); }

  void fail_every_step(const fault_case& c) {
    long count = 0;
    {
      context x;
      start(x, c);
      platform::file_faults::reset();
      ASSERT_EQ(c.run(x), 0);
      count = platform::file_faults::operations();
      for (const watched_file& f : c.files) EXPECT_EQ(content_of(x.folder.path() / f.path), f.after) << f.path;
    }
    ASSERT_GT(count, 0);
    for (long n = 1; n <= count; ++n) {
      for (const bool sticky : {false, true}) {
        SCOPED_TRACE(testing::Message() << "failing operation " << n << " of " << count << (sticky ? ", sticky" : ""));
        run_with_failure(c, n, sticky);
      }
    }
  }

 private:
  static void start(context& x, const fault_case& c) {
    std::filesystem::create_directory(x.folder.path() / "Preferences");
    for (const watched_file& f : c.files) {
      if (f.before) zqtest::write_bytes(x.folder.path() / f.path, *f.before);
    }
    x.catalog.set_up(x.folder.device_path() + L"Preferences", xman::preferences::filter());
  }

  static void run_with_failure(const fault_case& c, long n, bool sticky) {
    const std::size_t descriptors = open_descriptors();
    {
      context x;
      start(x, c);
      const names_t files_before = all_files(x.folder.path());
      platform::file_faults::fail_operation(n, sticky);
      const zq::result_t result = c.run(x);
      platform::file_faults::reset();
      for (const watched_file& f : c.files) {
        const std::optional<bytes> now = content_of(x.folder.path() / f.path);
        if (sticky) {
          EXPECT_TRUE(now == f.before || now == f.after) << f.path;
        } else {
          // Nothing is committed before the last step, so a failure leaves the old state.
          EXPECT_EQ(now, result == 0 ? f.after : f.before) << f.path;
        }
      }
      if (!sticky) {
        if (result != 0) {
          EXPECT_EQ(all_files(x.folder.path()), files_before);
        }
        xman::database_catalog fresh;
        fresh.set_up(x.catalog.folder(), xman::preferences::filter());
        EXPECT_EQ(x.catalog.names(), fresh.names());
        for (const std::string& name : fresh.names()) EXPECT_EQ(x.catalog.path_of(name), fresh.path_of(name));
      }
    }
    EXPECT_EQ(open_descriptors(), descriptors);
  }
};

TEST_F(ProfileFaultInjection, MainProfileSave) {
  fault_case c;
  c.run = [](context& x) {
    remote::room_state room;
    EXPECT_EQ(xman::read_room_document(kNew, room, nullptr), 0);
    return x.profile.save(room);
  };
  c.files = {{"zq-main-profile.pdb", kMainOld, kMainNew}};
  fail_every_step(c);
}

TEST_F(ProfileFaultInjection, PreferenceSaveOverAnExistingOne) {
  fault_case c;
  c.run = [](context& x) { return x.preferences.save_as("Den"); };
  c.files = {{"zq-main-profile.pdb", kMainNew, kMainNew}, {"Preferences/Den.pdb", kDenOld, kDenNew}};
  fail_every_step(c);
}

TEST_F(ProfileFaultInjection, PreferenceSaveUnderANewName) {
  fault_case c;
  c.run = [](context& x) { return x.preferences.save_as("Den"); };
  c.files = {{"zq-main-profile.pdb", kMainNew, kMainNew}, {"Preferences/Den.pdb", std::nullopt, kDenNew}};
  fail_every_step(c);
}

TEST_F(ProfileFaultInjection, PreferenceLoad) {
  fault_case c;
  c.run = [](context& x) { return x.preferences.load("Den"); };
  c.files = {{"zq-main-profile.pdb", kMainOld, kMainNew}, {"Preferences/Den.pdb", kDenNew, kDenNew}};
  fail_every_step(c);
}

}  // namespace
