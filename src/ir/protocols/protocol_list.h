// Every protocol this program encodes and recognises, one definition per protocol file.
#pragma once

#include "ir/protocols/protocol.h"

namespace redeye::protocols {

// Panasonic's vendor code in the Kaseikyo format: such codes are the Panasonic protocol.
inline constexpr std::uint32_t panasonic_vendor = 0x2002;

extern const protocol nec;           // nec.cpp: 8-bit address with its inverted copy
extern const protocol nec_extended;  // nec.cpp: 16-bit address
extern const protocol samsung32;     // samsung32.cpp
extern const protocol rc5;           // rc5.cpp
extern const protocol rc6;           // rc6.cpp: mode 0
extern const protocol sony12;        // sony.cpp
extern const protocol sony15;        // sony.cpp
extern const protocol sony20;        // sony.cpp
extern const protocol panasonic;     // kaseikyo.cpp: Panasonic's vendor code
extern const protocol kaseikyo;      // kaseikyo.cpp: any other vendor code
extern const protocol jvc;           // jvc.cpp
extern const protocol sharp;         // sharp.cpp
extern const protocol denon;         // denon.cpp

}  // namespace redeye::protocols
