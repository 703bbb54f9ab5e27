// The main profile "zq-main-profile.pdb" in the program folder: one database (creator "zQed",
// type "dPrf", version 0) whose only record holds the room document. Every save replaces the
// whole file all-or-nothing, so a failed step or a crash leaves the previous profile whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/codebase_catalog.h"
#include "storage/room_state.h"

namespace xman {

inline constexpr std::string_view kMainProfileName = "zq-main-profile";
inline constexpr std::wstring_view kMainProfileFile = L"zq-main-profile.pdb";

class main_profile {
 public:
  // path: the profile file (program folder + "\zq-main-profile.pdb").
  explicit main_profile(std::wstring path) : path_(std::move(path)) {}
  const std::wstring& path() const { return path_; }

  // Names the room "Default Room" and stores its document as the new profile. 0, -2 when the
  // document could not be formed, or 1025 when the new file could not take the old one's place.
  [[nodiscard]] zq::result_t save(remote::room_state& room) const;
  // Reads the stored room document into room; hot-list entries are checked against codebases
  // (null: not checked). Without a profile file nothing happens (0). Otherwise the database's
  // open codes, 1024 when it holds no record, or -1 for a malformed document (what was read before
  // the fault stays applied).
  [[nodiscard]] zq::result_t load(remote::room_state& room, const codebase_catalog* codebases) const;

  // Record 0 of the stored profile: 0, the open codes, or 1024 when it holds no record.
  [[nodiscard]] zq::result_t read_record(std::vector<std::uint8_t>& out) const;
  // Replaces the stored profile by one holding record as its record 0: 0 or 1025.
  [[nodiscard]] zq::result_t store_record(std::span<const std::uint8_t> record) const;

 private:
  std::wstring path_;
};

// Record 0 of the database file at path: 0, the open codes, or 1024 when it holds no record.
[[nodiscard]] zq::result_t read_first_record(std::wstring_view path, std::vector<std::uint8_t>& out);

}  // namespace xman
