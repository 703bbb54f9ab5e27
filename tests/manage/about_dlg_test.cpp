// The About box on the headless backend: the product name in its heavy type, the version lines with
// the IR driver layer's version, and the stylus closing it.
#include "manage/about_dlg.h"

#include <gtest/gtest.h>

#include "ir/driver_layer_version.h"
#include "platform/control_font.h"
#include "platform/headless/headless_backend.h"
#include "platform/screen.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

TEST(AboutBox, ShowsTheProductNameInHeavyTypeAndTheVersionWithTheIrDriversVersion) {
  for (const size screen : {size{240, 320}, size{480, 640}}) {
    zqtest::message_recorder log;
    set_screen_size(screen);
    set_screen_dpi(screen.cx == 240 ? 96 : 192);
    const hwnd owner = log.create("A", ws::overlapped | ws::visible, {0, 0, screen.cx, screen.cy});
    CAboutDlg about;
    std::wstring name;
    std::wstring version;
    font_description name_font;
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      name = about.GetDlgItemText(about_product_name_id);
      version = about.GetDlgItemText(about_version_id);
      name_font = control_font(about.GetDlgItem(about_product_name_id))->description();
      const rect ok = window_rect(about.GetDlgItem(idok));
      headless::tap({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    EXPECT_EQ(about.DoModal(), idok);
    EXPECT_EQ(name, L"Zequon");
    EXPECT_EQ(version, L"version 4.2\r\n2009.07.25d, IRv" + std::wstring(redeye::driver_layer_version));
    // 11.2 points at 96 dots per inch are 15 pixels to the em, doubled on the large screen.
    EXPECT_EQ(name_font, (font_description{L"Tahoma", screen.cx == 240 ? -15 : -30, 900}));
  }
  set_screen_dpi(96);
}

}  // namespace
