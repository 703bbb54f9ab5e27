#include "platform/performance_counter.h"

#include "platform/clock.h"

namespace platform {

std::uint64_t performance_counter() { return clock::now_ns() / (1000000000u / performance_frequency); }

}  // namespace platform
