// What the IR port setup shows, in one place: its caption, its prompt and its help page. The
// dialog uses these and nothing else; the test messages are port_test_message (ir/port_test.h).
#pragma once

#include <string_view>

namespace redeye {

inline constexpr std::wstring_view ir_setup_caption = L"Tuning Infrared Driver";
// Two blanks before "for", as the prompt has always read.
inline constexpr std::wstring_view ir_setup_prompt = L"Select the COM port to be used  for controlling your home devices:";

inline constexpr std::wstring_view ir_setup_help_title = ir_setup_caption;
inline constexpr std::wstring_view ir_setup_help_page =
    L"You must find the proper COM port to be used for controlling your home devices. \r\n\r\n"
    L"A good way to find the port is to press the Autodetect button from within the form. If the autoselected port "
    L"does not work just try other ports. \r\n\r\n"
    L"TIP. Usually USB and Bluetooth related COM ports do not suit the needs of Zequa infrared driver.\r\n\r\n"
    L"If you cannot find the proper COM port, try to change the way in which your Windows Mobile device receives "
    L"infrared signals. Select the Settings item from the Start menu, then select the Connections item, and press "
    L"the Beam button. The Beam settings window must appear, with the Receiving check box. "
    L"Change the value of the box to the opposite one.";

}  // namespace redeye
