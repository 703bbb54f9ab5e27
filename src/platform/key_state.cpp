#include "platform/key_state.h"

#include <algorithm>
#include <map>
#include <vector>

#include "platform/clock.h"

namespace platform {

namespace {

struct key_change {
  std::uint64_t at_ns;
  bool down;
};

struct key_states {
  std::map<int, bool> down;
  std::map<int, std::vector<key_change>> scheduled;  // per key, in the order given
};

key_states& keys() {
  static key_states states;
  return states;
}

// Applies the scheduled changes of a key that are due.
void settle(int virtual_key) {
  auto found = keys().scheduled.find(virtual_key);
  if (found == keys().scheduled.end()) return;
  const std::uint64_t now = clock::now_ns();
  auto& pending = found->second;
  std::size_t applied = 0;
  for (const key_change& change : pending) {
    if (change.at_ns > now) break;
    keys().down[virtual_key] = change.down;
    ++applied;
  }
  pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(applied));
  if (pending.empty()) keys().scheduled.erase(found);
}

}  // namespace

std::uint16_t async_key_state(int virtual_key) {
  settle(virtual_key);
  const auto found = keys().down.find(virtual_key);
  return found != keys().down.end() && found->second ? 0x8000 : 0;
}

void set_key_state(int virtual_key, bool down) {
  keys().scheduled.erase(virtual_key);
  keys().down[virtual_key] = down;
}

void schedule_key_state(int virtual_key, bool down, std::uint64_t at_ns) {
  auto& pending = keys().scheduled[virtual_key];
  pending.push_back({at_ns, down});
  std::stable_sort(pending.begin(), pending.end(),
                   [](const key_change& a, const key_change& b) { return a.at_ns < b.at_ns; });
}

void reset_key_states() {
  keys().down.clear();
  keys().scheduled.clear();
}

}  // namespace platform
