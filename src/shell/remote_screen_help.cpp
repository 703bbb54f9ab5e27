#include "shell/remote_screen_help.h"

#include <array>
#include <cstdio>

#include "base/text_conversion.h"
#include "ir/maker_contact.h"

namespace shell {

namespace {

// The paragraphs, in order; the last one names the maker's web address.
constexpr std::array<const char*, 9> paragraphs{
    "The Remote Screen form allows you to control your home entertainment devices.\r\n\r\n",
    "1. To select a device, tap the small triangle at the top of the screen and pick its codebase from the list "
    "that drops down.\r\n\r\n",
    "2. The five hot buttons at the top of the screen switch at once to the codebases assigned to them; the Hot "
    "Buttons item of the Options menu assigns them.\r\n\r\n",
    "To control your device, just tap the virtual images of the remote buttons on the screen of your handheld, "
    "while pointing the handheld at the given entertainment device.\r\n\r\nTIPS:\r\n\r\n",
    "1. The arrow buttons under the hot buttons turn the pages of the codebase.\r\n\r\n",
    "2. The menu button at the top left corner shows and hides the program's menu.\r\n\r\n",
    "3. If a device does not react, check that the codebase was made for it: try a few buttons and watch the "
    "infrared indicator light up while a signal is sent.\r\n\r\n",
    "4. A codebase for a new device is created with the Add New Device wizard of the Options menu.\r\n\r\n",
    "5. The buttons and pages of a codebase can be changed in the layout editor, from the Setup form.\r\n\r\n",
};
constexpr const char* more_information = "6. For more information including tutorials, please visit our website at %s.";

}  // namespace

std::wstring remote_screen_help_title() { return L"Remote Screen"; }

std::wstring remote_screen_help_body() {
  std::string body;
  for (const char* paragraph : paragraphs) body += paragraph;
  char last[160];
  std::snprintf(last, sizeof last, more_information, redeye::devices_web_address);
  body += last;
  return zq::code_page_to_wide(body);
}

}  // namespace shell
