// The texts the remote screen shows: the empty device page, its error boxes and the hot buttons'.
#pragma once

namespace remote::text {

// The empty device page's "head2" and "instructions".
inline constexpr const char* no_codebase_loaded = "No codebase loaded";  // 17007
inline constexpr const char* select_codebase =  // 17008
    "Select a codebase by pressing the small triangle above, or press one of the five hot buttons at the top of the "
    "screen, or press the menu button, select the Add New Device item from the Options menu, and create a new "
    "codebase.\r\n\r\nClick (i) for more information.";
inline constexpr const char* create_codebase =  // 132
    "You should press the menu button, select the Add New Device item from the Options menu, and create a "
    "codebase(s) for controlling your home devices.\r\n\r\nClick (i) for more information.";

inline constexpr const char* codebase_corrupted =  // 17015
    "The codebase format is unrecognized. Most probably it is corrupted.";
inline constexpr const char* codebase_too_new =  // 17016
    "Unknown version of the codebase! You must use the freshest version of the application to open this codebase.";
inline constexpr const char* cannot_open_codebase = "Cannot open codebase (%d).";  // 18005
inline constexpr const char* hot_button_empty =  // 30002
    "No codebase assigned to this hot button. Press OK to launch the Hot Buttons form and make the assignment.";
inline constexpr const char* codebase_not_found = "Codebase '%s' not found.";  // 30003

// The device name shown without a codebase.
inline constexpr const char* no_codebase_title = "<none>";

}  // namespace remote::text
