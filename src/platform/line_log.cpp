#include "platform/line_log.h"

#include <string>

namespace platform {

int line_log::open(std::wstring_view path) {
  close();
  file opened;
  if (const int rc = open_file(path, file_access_t::read_write, file_create_t::create_always, opened); rc != 0) {
    return rc;
  }
  file_ = std::move(opened);
  end_ = 0;
  return 0;
}

void line_log::close() {
  file_.close();
  end_ = 0;
}

int line_log::write_line(std::string_view text) {
  if (!file_.is_open()) return 0;
  std::string line(text);
  line += '\n';
  if (const int rc = write_file_at(file_, end_, line.data(), line.size()); rc != 0) {
    close();
    return rc;
  }
  end_ += line.size();
  return 0;
}

}  // namespace platform
