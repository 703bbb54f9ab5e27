// The program's text field: an edit control of a dialog taken over by an object, for reading and
// setting its text and limit. The field itself keeps the context menu 257 (Undo, Cut, Copy, Paste,
// Clear, Select All) and the Ctrl+C/V/X/Z accelerators.
#pragma once

#include <string>

#include "platform/window_cwnd.h"

class CZQXEdit : public platform::CWnd {
 public:
  // Sets the text through the field (its limit, undo and change notification included).
  void SetText(const std::wstring& text);
  std::wstring GetText() const { return GetWindowText(); }
  void SetLimitText(int characters);
  // Selects from start to end (end -1: to the end of the text).
  void SetSel(int start, int end);
};
