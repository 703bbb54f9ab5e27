// The program's dialogs that take typed text: every edit control becomes a CZQXEdit, and the soft
// input panel is up while one of them has the focus (the frame then leaves room for it). The panel
// is down again when the dialog ends.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dialogs/zq_dialog.h"
#include "dialogs/zqx_edit.h"

class CZQXInputDialog : public CZQDialog {
 public:
  using CZQDialog::CZQDialog;

  // The text field with that id, or null.
  CZQXEdit* Field(std::uint32_t id);

  bool OnInitDialog() override;
  bool OnCommand(platform::wparam_t w, platform::lparam_t l) override;
  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;

 private:
  void ShowInputPanel(bool shown);

  std::vector<std::unique_ptr<CZQXEdit>> m_fields;
};
