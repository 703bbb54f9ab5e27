#include "platform/window_cwnd.h"

#include <unordered_map>
#include <utility>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window_focus.h"

namespace platform {

namespace {

const std::wstring plain_class = L"ZqWnd";

std::unordered_map<std::uint32_t, CWnd*>& objects() {
  static std::unordered_map<std::uint32_t, CWnd*> attached;
  return attached;
}

}  // namespace

CWnd::~CWnd() {
  if (m_hWnd == no_window) return;
  const hwnd h = m_hWnd;
  // The window outlives nothing of this object: unhook it, then destroy it.
  objects().erase(handle_value(h));
  if (m_super) set_window_proc(h, m_super);
  m_hWnd = no_window;
  destroy_window(h);
}

CWnd* CWnd::FromHandle(hwnd h) {
  const auto found = objects().find(handle_value(h));
  return found == objects().end() ? nullptr : found->second;
}

bool CWnd::RegisterClass(const std::wstring& name, std::optional<colorref> background) {
  return register_class({name, def_window_proc, background});
}

bool CWnd::CreateEx(std::uint32_t ex_style, const std::wstring& class_name, const std::wstring& text,
                    std::uint32_t style, const rect& position, CWnd* parent, std::uint32_t id, void* param) {
  if (m_hWnd != no_window) return false;
  if (class_name.empty() && find_class(plain_class) == nullptr) RegisterClass(plain_class, std::nullopt);
  window_create request{class_name.empty() ? plain_class : class_name,
                        text,
                        style,
                        ex_style,
                        position,
                        parent != nullptr ? parent->m_hWnd : no_window,
                        id,
                        param};
  if (!PreCreateWindow(request)) return false;
  set_create_hook([this](hwnd h) { attach(h, set_window_proc(h, route)); });
  const hwnd h = create_window(request);
  set_create_hook({});
  return h != no_window;
}

bool CWnd::Create(const std::wstring& class_name, const std::wstring& text, std::uint32_t style,
                  const rect& position, CWnd* parent, std::uint32_t id) {
  return CreateEx(0, class_name, text, style, position, parent, id);
}

bool CWnd::SubclassWindow(hwnd h) {
  if (m_hWnd != no_window || !is_window(h) || FromHandle(h) != nullptr) return false;
  attach(h, set_window_proc(h, route));
  return true;
}

hwnd CWnd::UnsubclassWindow() {
  const hwnd h = m_hWnd;
  if (h == no_window) return no_window;
  objects().erase(handle_value(h));
  set_window_proc(h, std::exchange(m_super, {}));
  m_hWnd = no_window;
  return h;
}

void CWnd::attach(hwnd h, window_proc previous) {
  m_hWnd = h;
  m_super = std::move(previous);
  objects()[handle_value(h)] = this;
}

bool CWnd::DestroyWindow() { return destroy_window(m_hWnd); }

lresult_t CWnd::route(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  CWnd* self = FromHandle(h);
  if (self == nullptr) return def_window_proc(h, message, w, l);
  const lresult_t result = self->WindowProc(message, w, l);
  if (message == wm::ncdestroy && FromHandle(h) == self) {
    objects().erase(handle_value(h));
    self->m_hWnd = no_window;
    self->PostNcDestroy();  // may delete the object
  }
  return result;
}

lresult_t CWnd::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::command && OnCmdMsg(loword(w))) return 0;
  return DefWindowProc(message, w, l);
}

lresult_t CWnd::DefWindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  return m_super ? m_super(m_hWnd, message, w, l) : def_window_proc(m_hWnd, message, w, l);
}

bool CWnd::PreTranslateMessage(msg&) { return false; }

bool CWnd::OnCmdMsg(std::uint32_t) { return false; }

bool CWnd::PreCreateWindow(window_create&) { return true; }

hwnd CWnd::SetFocus() { return set_focus(m_hWnd); }

bool CWnd::PostMessage(std::uint32_t message, wparam_t w, lparam_t l) { return post_message(m_hWnd, message, w, l); }

bool CFrameWnd::Create(const std::wstring& class_name, const std::wstring& title, std::uint32_t style,
                       const rect& position, CWnd* parent) {
  const rect place = position.empty() ? screen_surface().bounds() : position;
  return CreateEx(0, class_name, title, style, place, parent, 0);
}

void CFrameWnd::RecalcLayout() {
  if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != no_window) m_pViewActive->MoveWindow(GetClientRect());
}

lresult_t CFrameWnd::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::setfocus:
      if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != no_window) {
        m_pViewActive->SetFocus();
        return 0;
      }
      break;
    case wm::size:
      RecalcLayout();
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, w, l);
}

bool CFrameWnd::OnCmdMsg(std::uint32_t id) {
  if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(id)) return true;
  return CWnd::OnCmdMsg(id);
}

}  // namespace platform
