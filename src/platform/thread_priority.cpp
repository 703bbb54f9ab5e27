#include "platform/thread_priority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "platform/clock.h"

namespace platform {

namespace {

struct scheduling {
  int priority = normal_thread_priority;
  std::uint32_t quantum = default_thread_quantum;
};

std::map<thread_id, scheduling>& threads() {
  static std::map<thread_id, scheduling> all;
  return all;
}

std::vector<thread_change>& log() {
  static std::vector<thread_change> changes;
  return changes;
}

// Real time only, and only for the calling thread (the one that transmits): a real-time priority
// becomes SCHED_FIFO, anything else the ordinary policy. Refusals are ignored.
void apply_to_host(thread_id thread, int priority) {
  if (clock::is_virtual() || thread != current_thread()) return;
  sched_param param{};
  if (priority <= lowest_realtime_priority) {
    const int top = sched_get_priority_max(SCHED_FIFO);
    const int bottom = sched_get_priority_min(SCHED_FIFO);
    param.sched_priority = std::max(bottom, top - priority);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
  } else {
    param.sched_priority = 0;
    pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
  }
}

}  // namespace

thread_id current_thread() { return static_cast<thread_id>(syscall(SYS_gettid)); }

int thread_priority(thread_id thread) { return threads()[thread].priority; }

void set_thread_priority(thread_id thread, int priority) {
  threads()[thread].priority = priority;
  log().push_back({thread, thread_change::kind_t::priority, priority, clock::now_ns()});
  apply_to_host(thread, priority);
}

std::uint32_t thread_quantum(thread_id thread) { return threads()[thread].quantum; }

void set_thread_quantum(thread_id thread, std::uint32_t quantum) {
  threads()[thread].quantum = quantum;
  log().push_back({thread, thread_change::kind_t::quantum, quantum, clock::now_ns()});
}

const std::vector<thread_change>& thread_change_log() { return log(); }

void reset_thread_scheduling() {
  threads().clear();
  log().clear();
}

}  // namespace platform
