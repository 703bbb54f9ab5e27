// The message queue of a thread. Every thread that creates windows has one; posting is allowed from
// any thread, everything else happens on the queue's own thread.
//
// Retrieval order: posted messages (input included) first-in first-out, then the quit message
// once post_quit_message was called, then a paint message for a window that has something to
// repaint (parents before children, front windows before those behind). Any code may run its own
// loop with these calls (a button tracking the stylus, a drop-down list, a modal dialog).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/window_messages.h"

namespace platform {

namespace pm {
inline constexpr std::uint32_t noremove = 0x0000;
inline constexpr std::uint32_t remove = 0x0001;
}  // namespace pm

// Stands for "messages posted to the thread itself" in a peek's window filter.
inline constexpr hwnd thread_messages_only = hwnd_of(0xFFFFFFFFu);

// Posts to the thread that owns the window (no_window: to the calling thread itself). False when
// the window does not exist.
bool post_message(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);
// Calls the window's procedure at once and returns its answer (0 for an invalid window).
lresult_t send_message(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);
// The quit message: retrieved once the posted messages are gone, with wparam = exit_code.
void post_quit_message(int exit_code);

// The first message of the window (no_window: any window of the thread and the thread's own;
// thread_messages_only: only the latter, including quit) in [first, last] (0, 0: any). The quit
// message is always retrieved, whatever the filter. With pm::remove the message leaves the queue
// (a paint message stays until the window is painted; a retrieved quit is gone).
bool peek_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last, std::uint32_t remove);
// Waits for a message as peek_message would take it and removes it; false for the quit message.
bool get_message(msg& out, hwnd h, std::uint32_t first, std::uint32_t last);
// Hands a retrieved message to its window's procedure (a thread message goes nowhere).
lresult_t dispatch_message(const msg& m);

// The message the calling thread last took from its queue (its time, its window), for a handler
// that asks about the message it is handling.
const msg& last_message();

// Removes every queued message of the calling thread in [first, last] (all windows).
void remove_messages(std::uint32_t first, std::uint32_t last);
// Whether a message in [first, last] is queued for the calling thread (paint and quit excluded).
bool has_queued_message(std::uint32_t first, std::uint32_t last);

// Where a waiting thread asks for more when its queue is empty: the backend delivers input that is
// due (and moves the virtual clock to it). Returns false when it has nothing; the thread then
// waits for a post from another thread.
void set_idle_source(std::function<bool()> source);

// Work done whenever a thread finds its queue empty, before the idle source is asked (serving the
// requests of other programs). Returns an id for remove_idle_work.
int add_idle_work(std::function<void()> work);
void remove_idle_work(int id);

// Forgets the calling thread's queued messages and quit state.
void reset_message_queue();

}  // namespace platform
