// Creates the driver of a processor family. Each family's file provides its make function; a
// family whose driver is not available gives none.
//
// A family driver, as ir_driver_pxa250.cpp does it: derives from CIrDrvr; maps its pages in the
// constructor with platform::map_register_page (an empty page makes transmit and receive answer
// 301); overrides transmit (check_ready, the family's UART check, settle_transceiver, take the
// LED, play_passes with a player whose inline mark/space are the busy loops, give the LED back,
// purge_input), receive, and where the family differs close, load or open; and returns itself
// from its make function here.
#pragma once

#include <memory>

#include "ir/ir_driver.h"
#include "ir/processor_family.h"

namespace redeye {

std::unique_ptr<CIrDrvr> create_driver(processor_family_t family);

// One per family, each in the family's own file.
std::unique_ptr<CIrDrvr> make_sa11xx_driver();
std::unique_ptr<CIrDrvr> make_pxa250_driver();
std::unique_ptr<CIrDrvr> make_pxa270_driver();
std::unique_ptr<CIrDrvr> make_samsung_s3c_driver();
std::unique_ptr<CIrDrvr> make_omap1510_driver();
std::unique_ptr<CIrDrvr> make_omap850_driver();
std::unique_ptr<CIrDrvr> make_lirc_driver();

}  // namespace redeye
