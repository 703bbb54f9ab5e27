// CCodebasesList: the drop-down list of installed codebases. Its select operation fills it with
// the codebase names, marks the current one, opens it and waits until it closes; the line picked
// is the new choice when it differs from the current codebase.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/window_handle.h"

namespace manage {

class CCodebasesList {
 public:
  CCodebasesList() = default;
  ~CCodebasesList();
  CCodebasesList(const CCodebasesList&) = delete;
  CCodebasesList& operator=(const CCodebasesList&) = delete;

  // A hidden sorted drop-down list inside parent; position: the field and its dropped list.
  bool Create(platform::hwnd parent, const platform::rect& position, std::uint32_t id);
  void Move(const platform::rect& position);
  platform::hwnd Window() const { return m_window; }

  // Fills the list with names, selects current, shows the list dropped down and runs until it
  // closes. True when a line other than current was picked (Chosen() names it).
  bool Select(const std::vector<std::string>& names, std::string_view current);
  const std::string& Chosen() const { return m_chosen; }

 private:
  platform::hwnd m_window = platform::no_window;
  std::string m_chosen;
};

}  // namespace manage
