// A library named Orientix that lacks CanChangeOrientix, for the client's damaged-library case.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::int32_t QueryOrientix() { return 0; }
