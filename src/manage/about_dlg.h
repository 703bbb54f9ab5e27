// The About box: the product name in large heavy type and, below it, the version with the IR
// driver layer's version.
#pragma once

#include <cstdint>
#include <string>

#include "dialogs/zq_dialog.h"

inline constexpr std::uint16_t about_dialog_portrait_id = 195;
inline constexpr std::uint16_t about_dialog_landscape_id = 196;
inline constexpr std::uint16_t about_dialog_square_id = 197;
inline constexpr std::uint32_t about_product_name_id = 1050;
inline constexpr std::uint32_t about_version_id = 1051;

// "version 4.2", the build date and the IR driver layer's version, on two lines.
std::wstring about_version_text();

class CAboutDlg : public CZQDialog {
 public:
  explicit CAboutDlg(platform::CWnd* parent = nullptr);

  bool OnInitDialog() override;
};
