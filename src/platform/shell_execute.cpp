#include "platform/shell_execute.h"

#include <cerrno>

namespace platform {

int shell_execute_open(std::wstring_view, std::wstring_view) { return ENOSYS; }

}  // namespace platform
