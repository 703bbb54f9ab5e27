// The class library's window: a C++ object attached to one window, whose virtual WindowProc gets
// the window's messages (from the very first), and the frame window the application's main
// window derives from. The application's classes (CMainFrame, its view, the forms) derive from
// these and override what they handle, passing everything else to the base.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/window_messages.h"
#include "platform/window_paint.h"

namespace platform {

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  // Destroys the window if it still exists.
  virtual ~CWnd();

  // The object attached to a window, or null.
  static CWnd* FromHandle(hwnd h);
  hwnd GetSafeHwnd() const { return m_hWnd; }

  // An empty class name takes the library's plain class (no background). Classes registered with
  // RegisterClass route their windows to the objects too.
  bool CreateEx(std::uint32_t ex_style, const std::wstring& class_name, const std::wstring& text,
                std::uint32_t style, const rect& position, CWnd* parent, std::uint32_t id, void* param = nullptr);
  bool Create(const std::wstring& class_name, const std::wstring& text, std::uint32_t style, const rect& position,
              CWnd* parent, std::uint32_t id);
  // Attaches to a window made elsewhere, hooking its procedure; the window's own procedure then
  // gets what this object passes on.
  bool SubclassWindow(hwnd h);
  // Gives the window its procedure back and lets go of it; returns it.
  hwnd UnsubclassWindow();
  virtual bool DestroyWindow();
  // A window class whose windows send their messages to their objects.
  static bool RegisterClass(const std::wstring& name, std::optional<colorref> background);

  // The message handling; the base handles commands through OnCmdMsg and passes the rest on.
  virtual lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l);
  // What the window would do without this object (its class's procedure, or the default).
  lresult_t DefWindowProc(std::uint32_t message, wparam_t w, lparam_t l);
  // The message filter the loop runs before dispatching; true drops the message.
  virtual bool PreTranslateMessage(msg& m);
  // A command (menu item, control notification) by id; true when handled.
  virtual bool OnCmdMsg(std::uint32_t id);
  // Last call for the object after its window was destroyed.
  virtual void PostNcDestroy() {}
  // A chance to change the creation request (style, class, position) before the window is made.
  virtual bool PreCreateWindow(window_create& request);

  bool ShowWindow(int command) { return show_window(m_hWnd, command); }
  bool MoveWindow(const rect& position, bool repaint = true) { return move_window(m_hWnd, position, repaint); }
  bool SetWindowPos(hwnd insert_after, int x, int y, int cx, int cy, std::uint32_t flags) {
    return set_window_pos(m_hWnd, insert_after, x, y, cx, cy, flags);
  }
  bool IsWindowVisible() const { return is_window_visible(m_hWnd); }
  bool EnableWindow(bool enable) { return enable_window(m_hWnd, enable); }
  void Invalidate(bool erase = true) { invalidate_rect(m_hWnd, std::nullopt, erase); }
  void InvalidateRect(const rect& area, bool erase = true) { invalidate_rect(m_hWnd, area, erase); }
  void UpdateWindow() { update_window(m_hWnd); }
  rect GetClientRect() const { return client_rect(m_hWnd); }
  rect GetWindowRect() const { return window_rect(m_hWnd); }
  hwnd SetFocus();
  hwnd SetCapture() { return set_capture(m_hWnd); }
  CWnd* GetParent() const { return FromHandle(parent_of(m_hWnd)); }
  lresult_t SendMessage(std::uint32_t message, wparam_t w = 0, lparam_t l = 0) {
    return send_message(m_hWnd, message, w, l);
  }
  bool PostMessage(std::uint32_t message, wparam_t w = 0, lparam_t l = 0);
  std::uint32_t GetDlgCtrlID() const { return window_id(m_hWnd); }
  void SetWindowText(const std::wstring& text) { set_window_text(m_hWnd, text); }
  std::wstring GetWindowText() const { return window_text(m_hWnd); }

  hwnd m_hWnd = no_window;

 private:
  static lresult_t route(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);
  void attach(hwnd h, window_proc previous);
  window_proc m_super;  // the procedure before the object took the window
};

// The frame: the program's top-level window. It hands the focus to its view, routes commands to
// the view before itself, and keeps the view sized to its client area. Frames live on the heap
// and delete themselves when their window is destroyed.
class CFrameWnd : public CWnd {
 public:
  // An empty position takes the whole screen.
  bool Create(const std::wstring& class_name, const std::wstring& title,
              std::uint32_t style = ws::overlapped | ws::visible, const rect& position = {}, CWnd* parent = nullptr);

  void SetActiveView(CWnd* view) { m_pViewActive = view; }
  CWnd* GetActiveView() const { return m_pViewActive; }
  // Sizes the view to the client area.
  virtual void RecalcLayout();

  lresult_t WindowProc(std::uint32_t message, wparam_t w, lparam_t l) override;
  bool OnCmdMsg(std::uint32_t id) override;
  void PostNcDestroy() override { delete this; }

 private:
  CWnd* m_pViewActive = nullptr;
};

}  // namespace platform
