// What a button does to tell the user it fired: the key click or the learned beep, played by the
// program (which knows whether sounds are on). Tests and the learn form may replace the hook.
#pragma once

#include <cstdint>
#include <functional>

namespace remote {

void set_button_feedback(std::function<void(std::int32_t which)> hook);
// Hands which (1 click, 2 beep) to the hook; 0 and a missing hook do nothing.
void fire_button_feedback(std::int32_t which);

}  // namespace remote
