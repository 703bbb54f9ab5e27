// The UART the PXA and S3C drivers found in infrared mode (0 none; 1, 2, 3 in probe order). One
// value for the whole program, forgotten and found again by every open of those families.
#pragma once

namespace redeye {

inline int chosen_ir_uart = 0;

}  // namespace redeye
