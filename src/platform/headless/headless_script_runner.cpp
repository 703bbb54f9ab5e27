#include "platform/headless/headless_script_runner.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "base/text_conversion.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/headless/headless_backend.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/png_writer.h"
#include "platform/screen.h"
#include "platform/window_input.h"

namespace platform::headless {

namespace {

bool on_screen(point p) {
  const size extent = screen_size();
  return p.x >= 0 && p.y >= 0 && p.x < extent.cx && p.y < extent.cy;
}

std::wstring shot_path(const std::string& file) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(file), ec);
  return device_path(ec ? std::filesystem::path(file) : absolute);
}

bool releases(const script_command& c, const script_command& press) {
  if (press.op == script_op_t::down) return c.op == script_op_t::up;
  return c.op == script_op_t::key_up && c.key.virtual_key == press.key.virtual_key;
}

}  // namespace

// The key state of a press ends when its release is due: the waits between them count, the other
// commands take no time. Code that runs inside the press's message and watches the key state
// (a transmission that lasts while the stylus is held) thus sees it end on time, although the
// release message only comes once the program is idle again.
void script_runner::schedule_release(const script_command& press, std::size_t next) {
  const int key = press.op == script_op_t::down || press.op == script_op_t::tap
                      ? vk_stylus
                      : static_cast<int>(press.key.virtual_key);
  std::uint64_t at = timeline_ns_;
  if (press.op == script_op_t::tap || press.op == script_op_t::key) {
    schedule_key_state(key, false, at);
    return;
  }
  for (std::size_t i = next; i < commands_.size(); ++i) {
    const script_command& c = commands_[i];
    if (c.op == script_op_t::wait) at += std::uint64_t{c.ms} * 1000000u;
    if (releases(c, press)) {
      schedule_key_state(key, false, at);
      return;
    }
  }
}

script_runner::script_runner(std::vector<script_command> commands, script_hooks hooks)
    : commands_(std::move(commands)),
      dropped_(commands_.size(), false),
      hooks_(std::move(hooks)),
      timeline_ns_(clock::now_ns()) {}

void script_runner::drop_input_made_meanwhile(pending_input_t kind) {
  const std::uint64_t now = clock::now_ns();
  std::uint64_t at = timeline_ns_;
  for (std::size_t i = next_; i < commands_.size(); ++i) {
    const script_op_t op = commands_[i].op;
    if (op == script_op_t::wait) {
      at += std::uint64_t{commands_[i].ms} * 1000000u;
      if (at > now) return;
      continue;
    }
    const bool touch = op == script_op_t::tap || op == script_op_t::down || op == script_op_t::move;
    const bool press = op == script_op_t::key || op == script_op_t::key_down;
    if (kind == pending_input_t::stylus ? touch : press) dropped_[i] = true;
  }
}

bool script_runner::step() {
  if (finished_) {
    post_quit_message(failure_ ? 1 : 0);
    return false;
  }
  if (second_half_) {
    const script_command up = *second_half_;
    second_half_.reset();
    if (up.op == script_op_t::up) {
      deliver_stylus(stylus_t::up, up.at);
    } else {
      deliver_key(up.key.virtual_key, false, up.key.modifiers);
    }
    return true;
  }
  if (next_ == commands_.size()) {
    finish(0);
    return false;
  }
  const std::size_t current = next_++;
  if (!dropped_[current]) run(commands_[current]);
  return true;
}

void script_runner::run(const script_command& command) {
  if (command.op != script_op_t::wait) timeline_ns_ = std::max(timeline_ns_, clock::now_ns());
  switch (command.op) {
    case script_op_t::tap:
    case script_op_t::down:
    case script_op_t::move:
    case script_op_t::up: {
      if (!on_screen(command.at)) return fail(command, "point outside the screen");
      if (command.op == script_op_t::tap) {
        deliver_stylus(stylus_t::down, command.at);
        schedule_release(command, next_);
        second_half_ = command;
        second_half_->op = script_op_t::up;
      } else {
        const stylus_t kind = command.op == script_op_t::down ? stylus_t::down
                              : command.op == script_op_t::move ? stylus_t::move
                                                                : stylus_t::up;
        deliver_stylus(kind, command.at);
        if (kind == stylus_t::down) schedule_release(command, next_);
      }
      return;
    }
    case script_op_t::key:
      deliver_key(command.key.virtual_key, true, command.key.modifiers);
      schedule_release(command, next_);
      second_half_ = command;
      return;
    case script_op_t::key_down:
    case script_op_t::key_up:
      deliver_key(command.key.virtual_key, command.op == script_op_t::key_down, command.key.modifiers);
      if (command.op == script_op_t::key_down) schedule_release(command, next_);
      return;
    case script_op_t::type:
      for (const wchar_t ch : command.text) deliver_char(ch);
      return;
    case script_op_t::wait:
      // Waits add up on the script's own timeline: time the program spent inside a handler
      // (holding the stylus) counts toward them.
      timeline_ns_ += std::uint64_t{command.ms} * 1000000u;
      if (clock::is_virtual()) {
        clock::advance_to(timeline_ns_);
      } else if (clock::now_ns() < timeline_ns_) {
        clock::sleep(static_cast<std::uint32_t>((timeline_ns_ - clock::now_ns() + 999999u) / 1000000u));
      }
      return;
    case script_op_t::shot:
      if (const int rc = write_png(screen_surface(), shot_path(command.file)); rc != 0) {
        return fail(command, "cannot write " + command.file + " (error " + std::to_string(rc) + ")");
      }
      return;
    case script_op_t::answer:
      if (!message_box_is_open()) return fail(command, "no message box is open");
      if (!answer_message_box(command.button)) return fail(command, "the message box has no such button");
      return;
    case script_op_t::resume:
      if (!hooks_.resume) return fail(command, "the device cannot wake up here");
      hooks_.resume();
      return;
    case script_op_t::rotate:
      if (!hooks_.rotate || !hooks_.rotate(command.orientation)) return fail(command, "the display cannot turn");
      return;
    case script_op_t::quit:
      finish(0);
      return;
  }
}

void script_runner::fail(const script_command& command, std::string reason) {
  failure_ = script_error{command.line, std::move(reason)};
  finish(1);
}

void script_runner::finish(int exit_code) {
  finished_ = true;
  second_half_.reset();
  post_quit_message(exit_code);
}

void install_script_runner(script_runner* runner) {
  if (runner == nullptr) {
    use_queued_input();
    return;
  }
  set_backend_input_purge([runner](pending_input_t kind) { runner->drop_input_made_meanwhile(kind); });
  set_idle_source([runner] {
    runner->step();
    return true;  // the runner always leaves something to take: input, the quit message or nothing
  });
}

}  // namespace platform::headless
