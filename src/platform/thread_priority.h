// Thread priority and scheduling quantum, in the handheld's terms: priorities 0 (highest) to 255,
// where 0 to 247 are real-time and an ordinary thread runs at 251; the quantum is the time slice in
// milliseconds (0: run until the thread blocks). Every change is recorded with its time, so tests
// can see when a transmission raised and restored the priority. On Linux a real-time priority is
// also requested from the scheduler (SCHED_FIFO) when the process may, and silently skipped when
// it may not — and never under the virtual clock, where nothing real is timed.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

using thread_id = std::uint64_t;  // never 0

inline constexpr int normal_thread_priority = 251;
inline constexpr int lowest_realtime_priority = 247;
inline constexpr std::uint32_t default_thread_quantum = 100;

thread_id current_thread();

int thread_priority(thread_id thread);
void set_thread_priority(thread_id thread, int priority);
std::uint32_t thread_quantum(thread_id thread);
void set_thread_quantum(thread_id thread, std::uint32_t quantum);

struct thread_change {
  enum class kind_t { priority, quantum };
  thread_id thread = 0;
  kind_t kind = kind_t::priority;
  std::int64_t value = 0;
  std::uint64_t time_ns = 0;
};

// Every set_thread_priority and set_thread_quantum since the last clear, in order.
const std::vector<thread_change>& thread_change_log();
// Clears the log and forgets every thread's priority and quantum (back to the defaults).
void reset_thread_scheduling();

}  // namespace platform
