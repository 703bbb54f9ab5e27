// The named mutex and shared memory between real processes: a forked child is the second start of
// the program, or the wake-up program reading the block.
#include "platform/named_mutex.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <thread>

#include "platform/shared_memory.h"

namespace {

using namespace platform;
using namespace std::chrono_literals;

std::wstring unique_name(const wchar_t* what) {
  return std::wstring(L"\\Program Files\\Zequon/") + what + L"/" + std::to_wstring(::getpid());
}

// Runs body in a child process; its return value is the child's exit status (-1 when it did not
// exit normally).
template <typename Body>
int in_child(Body body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST(NamedMutex, ASecondStartInAnotherProcessFindsTheFirstAndBringsItForward) {
  const std::wstring name = unique_name(L"mutex");
  named_mutex first;
  bool exists = true;
  ASSERT_EQ(first.create(name, exists), 0);
  ASSERT_FALSE(exists);
  EXPECT_FALSE(first.take_activation_request());

  // The child finds the mutex held and asks; this process polls as its idle time would.
  const pid_t child = ::fork();
  if (child == 0) {
    named_mutex second;
    bool found = false;
    if (second.create(name, found) != 0 || !found || second.holds()) ::_exit(1);
    ::_exit(request_activation(name, 400, 5ms) ? 0 : 2);
  }
  bool asked = false;
  for (int i = 0; i < 400 && !asked; ++i) {
    asked = first.take_activation_request();
    if (!asked) std::this_thread::sleep_for(5ms);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(asked);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(first.take_activation_request());  // taken once

  // Nobody takes a request: the asker gives up and withdraws it.
  EXPECT_EQ(in_child([&] { return request_activation(name, 2, 1ms) ? 1 : 0; }), 0);
  EXPECT_FALSE(first.take_activation_request());

  // A second creator in the same process is refused too; once the holder lets go, the next one holds it.
  named_mutex same_process;
  ASSERT_EQ(same_process.create(name, exists), 0);
  EXPECT_TRUE(exists);
  first.close();
  EXPECT_EQ(in_child([&] {
              named_mutex next;
              bool found = true;
              return next.create(name, found) == 0 && !found && next.holds() ? 0 : 1;
            }),
            0);
}

TEST(SharedMemory, AnotherProcessSeesTheBlockAndItGoesWithItsCreator) {
  const std::wstring name = unique_name(L"Zequon::{7D41C5A2-3E9B-4F06-8C2D-A15E0B93F4C7}");
  shared_memory block;
  bool existed = true;
  ASSERT_EQ(block.open_or_create(name, 4, existed), 0);
  EXPECT_FALSE(existed);
  ASSERT_EQ(block.view().size(), 4u);
  std::uint32_t value = 1;
  ASSERT_TRUE(block.read_u32(0, value));
  EXPECT_EQ(value, 0u);  // a new block is zeroed
  ASSERT_TRUE(block.write_u32(0, 0x00C0FFEEu));

  EXPECT_EQ(in_child([&] {
              shared_memory seen;
              bool found = false;
              std::uint32_t handle = 0;
              if (seen.open_or_create(name, 4, found) != 0 || !found) return 1;
              if (!seen.read_u32(0, handle) || handle != 0x00C0FFEEu) return 2;
              return seen.write_u32(0, handle + 1) ? 0 : 3;
            }),
            0);
  ASSERT_TRUE(block.read_u32(0, value));
  EXPECT_EQ(value, 0x00C0FFEFu);

  // Reads and writes outside the block are refused.
  EXPECT_FALSE(block.read_u32(1, value));
  EXPECT_FALSE(block.read_u32(static_cast<std::size_t>(-2), value));
  EXPECT_FALSE(block.write_u32(4, 0));

  // A block asked for larger than it is maps only what exists.
  shared_memory larger;
  ASSERT_EQ(larger.open_existing(name, 4096), 0);
  EXPECT_EQ(larger.view().size(), 4u);
  larger.close();

  // Without its creator the block is gone, and looking for it does not make one.
  block.close();
  EXPECT_EQ(in_child([&] {
              shared_memory none;
              return none.open_existing(name, 4) == ENOENT ? 0 : 1;
            }),
            0);
  shared_memory none;
  EXPECT_EQ(none.open_existing(name, 4), ENOENT);
}

}  // namespace
