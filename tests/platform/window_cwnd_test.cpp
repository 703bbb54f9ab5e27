// The class library's windows: objects get their window's messages from the first, the frame
// routes commands and focus to its view and sizes it, filters see messages before dispatch.
#include <gtest/gtest.h>

#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/window_cwnd.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

struct view_window : CWnd {
  std::vector<std::uint32_t> commands;
  bool OnCmdMsg(std::uint32_t id) override {
    if (id != 100) return false;
    commands.push_back(id);
    return true;
  }
};

struct frame_window : CFrameWnd {
  bool* deleted = nullptr;
  std::vector<std::uint32_t> seen;  // messages reaching WindowProc, in order
  std::vector<std::uint32_t> commands;
  ~frame_window() override { *deleted = true; }
  lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l) override {
    seen.push_back(message);
    return CFrameWnd::WindowProc(message, w, l);
  }
  bool OnCmdMsg(std::uint32_t id) override {
    if (CFrameWnd::OnCmdMsg(id)) return true;
    if (id != 200) return false;
    commands.push_back(id);
    return true;
  }
  // Like the program's frame: the wake-up message is dropped while the frame is hidden.
  bool PreTranslateMessage(msg& m) override { return m.message == wm_wakeup && !IsWindowVisible(); }
};

class CWndTest : public ::testing::Test {
 protected:
  zqtest::message_recorder log;  // a clean window system
  bool deleted = false;
  frame_window* frame = new frame_window;
  view_window view;

  CWndTest() {
    frame->deleted = &deleted;
    EXPECT_TRUE(frame->Create(L"", L"Zequon"));
    EXPECT_TRUE(view.Create(L"", L"", ws::child | ws::visible, {0, 0, 10, 10}, frame, 0xE900));
    frame->SetActiveView(&view);
  }
  ~CWndTest() override {
    if (!deleted) frame->DestroyWindow();
  }
};

TEST_F(CWndTest, TheObjectGetsTheFirstMessage) {
  ASSERT_FALSE(frame->seen.empty());
  EXPECT_EQ(frame->seen.front(), wm::create);
  EXPECT_EQ(CWnd::FromHandle(frame->m_hWnd), frame);
  EXPECT_EQ(view.GetParent(), frame);
  EXPECT_EQ(frame->GetWindowRect(), (rect{0, 0, 240, 320}));  // a frame takes the whole screen
}

TEST_F(CWndTest, CommandsGoToTheViewFirst) {
  for (std::uint32_t id : {100u, 200u, 300u}) frame->SendMessage(wm::command, id);
  EXPECT_EQ(view.commands, (std::vector<std::uint32_t>{100}));
  EXPECT_EQ(frame->commands, (std::vector<std::uint32_t>{200}));
}

TEST_F(CWndTest, TheFrameHandsFocusToItsViewAndSizesIt) {
  const hwnd other = log.create("B", ws::overlapped | ws::visible, {0, 0, 240, 320});
  EXPECT_EQ(focus_window(), other);
  set_active_window(frame->m_hWnd);
  EXPECT_EQ(focus_window(), view.m_hWnd);
  frame->MoveWindow({0, 26, 240, 320});
  EXPECT_EQ(view.GetWindowRect(), (rect{0, 26, 240, 320}));
}

TEST_F(CWndTest, FiltersSeeMessagesBeforeTheirWindows) {
  frame->PostMessage(wm_wakeup);
  process_pending_messages();
  EXPECT_EQ(std::count(frame->seen.begin(), frame->seen.end(), wm_wakeup), 1);
  frame->ShowWindow(sw::hide);
  frame->PostMessage(wm_wakeup);
  process_pending_messages();
  EXPECT_EQ(std::count(frame->seen.begin(), frame->seen.end(), wm_wakeup), 1);
}

TEST_F(CWndTest, AFrameDeletesItselfWithItsWindowAndItsViewLetsGo) {
  const hwnd view_handle = view.m_hWnd;
  frame->DestroyWindow();
  EXPECT_TRUE(deleted);
  EXPECT_EQ(view.m_hWnd, no_window);
  EXPECT_EQ(CWnd::FromHandle(view_handle), nullptr);
}

TEST_F(CWndTest, HookingAWindowPassesTheRestToItsProcedure) {
  struct hook : CWnd {
    int hot_keys = 0;
    lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l) override {
      if (message == wm::hotkey) {
        ++hot_keys;
        return 0;
      }
      return CWnd::WindowProc(message, w, l);
    }
  };
  const hwnd a = log.create("A", ws::overlapped, {0, 0, 240, 320});
  log.take();
  {
    hook h;
    ASSERT_TRUE(h.SubclassWindow(a));
    EXPECT_FALSE(h.SubclassWindow(a));
    send_message(a, wm::hotkey, 1, 0);
    send_message(a, wm::user + 3, 0, 0);
    EXPECT_EQ(h.hot_keys, 1);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"A user+3 0"}));
    EXPECT_EQ(h.UnsubclassWindow(), a);
  }
  send_message(a, wm::hotkey, 2, 0);  // the window's own procedure again
  EXPECT_EQ(log.take(), (std::vector<std::string>{"A hotkey 2 0x0"}));
}

}  // namespace
