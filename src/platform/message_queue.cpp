#include "platform/message_queue.h"

#include <algorithm>
#include <map>

#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/window.h"
#include "platform/window_records.h"

namespace platform {

using detail::thread_queue;

namespace {

std::function<bool()>& idle_source() {
  static std::function<bool()> source;
  return source;
}

std::map<int, std::function<void()>>& idle_work() {
  static std::map<int, std::function<void()>> work;
  return work;
}

// The idle work, then the idle source: whether the source delivered something.
bool idle() {
  for (const auto& [id, work] : idle_work()) work();
  return idle_source() && idle_source()();
}

std::uint32_t now_ms() { return static_cast<std::uint32_t>(clock::now_ns() / 1000000u); }

bool in_range(std::uint32_t message, std::uint32_t first, std::uint32_t last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool for_window(const msg& m, hwnd filter) {
  if (filter == no_window) return true;
  if (filter == thread_messages_only) return m.window == no_window;
  return m.window == filter || is_child_of(filter, m.window);
}

void push(thread_queue& queue, const msg& m) {
  {
    std::lock_guard lock(queue.mutex);
    queue.posted.push_back(m);
    ++queue.generation;
  }
  queue.posted_to.notify_all();
}

// Input that queued up while the program was busy is dropped from the calling thread's queue.
void purge_input(pending_input_t kind) {
  if (kind == pending_input_t::stylus) {
    remove_messages(wm::mousemove, wm::lbuttondown);
  } else {
    remove_messages(wm::keydown, wm::keylast);
  }
}

msg& last_taken() {
  thread_local msg last;
  return last;
}

bool find_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last, std::uint32_t flags);

bool take(msg& out, hwnd h, std::uint32_t first, std::uint32_t last, std::uint32_t flags) {
  if (!find_message(out, h, first, last, flags)) return false;
  if ((flags & pm::remove) != 0) last_taken() = out;
  return true;
}

bool find_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last, std::uint32_t flags) {
  thread_queue& queue = *detail::current_queue();
  {
    std::lock_guard lock(queue.mutex);
    const auto found = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const msg& m) {
      return for_window(m, h) && in_range(m.message, first, last);
    });
    if (found != queue.posted.end()) {
      out = *found;
      if ((flags & pm::remove) != 0) queue.posted.erase(found);
      return true;
    }
    if (queue.quit) {
      out = {no_window, wm::quit, static_cast<wparam_t>(queue.quit_code), 0, now_ms()};
      if ((flags & pm::remove) != 0) queue.quit = false;
      return true;
    }
  }
  if (h != thread_messages_only && in_range(wm::paint, first, last)) {
    const hwnd target = detail::window_to_paint(h);
    if (target != no_window) {
      out = {target, wm::paint, 0, 0, now_ms()};
      return true;
    }
  }
  return false;
}

}  // namespace

const std::shared_ptr<thread_queue>& detail::current_queue() {
  thread_local std::shared_ptr<thread_queue> queue;
  if (!queue) {
    queue = std::make_shared<thread_queue>();
    set_input_purge_hook(purge_input);
  }
  return queue;
}

bool post_message(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  std::shared_ptr<thread_queue> queue;
  if (h == no_window) {
    queue = detail::current_queue();
  } else {
    std::lock_guard lock(detail::windows().table_mutex);
    const auto found = detail::windows().windows.find(handle_value(h));
    if (found == detail::windows().windows.end()) return false;
    queue = found->second->queue;
  }
  push(*queue, {h, message, w, l, now_ms()});
  return true;
}

lresult_t send_message(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  const detail::window_record* record = detail::find(h);
  // Windows are driven by their own thread; a message from another thread is not delivered.
  if (record == nullptr || record->queue != detail::current_queue()) return 0;
  const window_proc proc = record->proc;  // the procedure may replace itself meanwhile
  return proc ? proc(h, message, w, l) : def_window_proc(h, message, w, l);
}

void post_quit_message(int exit_code) {
  thread_queue& queue = *detail::current_queue();
  {
    std::lock_guard lock(queue.mutex);
    queue.quit = true;
    queue.quit_code = exit_code;
    ++queue.generation;
  }
  queue.posted_to.notify_all();
}

bool peek_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last, std::uint32_t remove) {
  if (take(out, h, first, last, remove)) return true;
  // The idle source may deliver something that is not a message for this filter (or only move the
  // clock): ask it again until it has nothing more.
  while (idle()) {
    if (take(out, h, first, last, remove)) return true;
  }
  return false;
}

bool get_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last) {
  thread_queue& queue = *detail::current_queue();
  for (;;) {
    std::uint64_t seen = 0;
    {
      std::lock_guard lock(queue.mutex);
      seen = queue.generation;
    }
    if (take(out, h, first, last, pm::remove)) return out.message != wm::quit;
    if (idle()) continue;
    std::unique_lock lock(queue.mutex);
    queue.posted_to.wait(lock, [&] { return queue.generation != seen; });
  }
}

lresult_t dispatch_message(const msg& m) {
  if (m.window == no_window) return 0;
  return send_message(m.window, m.message, m.wparam, m.lparam);
}

const msg& last_message() { return last_taken(); }

void remove_messages(std::uint32_t first, std::uint32_t last) {
  thread_queue& queue = *detail::current_queue();
  std::lock_guard lock(queue.mutex);
  std::erase_if(queue.posted, [&](const msg& m) { return in_range(m.message, first, last); });
}

bool has_queued_message(std::uint32_t first, std::uint32_t last) {
  thread_queue& queue = *detail::current_queue();
  std::lock_guard lock(queue.mutex);
  return std::any_of(queue.posted.begin(), queue.posted.end(),
                     [&](const msg& m) { return in_range(m.message, first, last); });
}

void set_idle_source(std::function<bool()> source) { idle_source() = std::move(source); }

int add_idle_work(std::function<void()> work) {
  static int next_id = 0;
  idle_work().emplace(++next_id, std::move(work));
  return next_id;
}

void remove_idle_work(int id) { idle_work().erase(id); }

void reset_message_queue() {
  thread_queue& queue = *detail::current_queue();
  {
    std::lock_guard lock(queue.mutex);
    queue.posted.clear();
    queue.quit = false;
    queue.quit_code = 0;
  }
  set_input_purge_hook(purge_input);
}

}  // namespace platform
