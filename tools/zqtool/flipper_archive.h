// The content of an IR archive gathered from a folder of Flipper ".ir" files laid out as
// DIR/CATEGORY/BRAND/MODEL.ir, as the public Flipper code collections are.
#pragma once

#include <string>

#include "base/result.h"
#include "storage/ir_archive_writer.h"

namespace zqtool {

// Categories, brands and models in name order (byte-wise) of the folders and files. Each button
// becomes a signal: a parsed one through the protocol registry (both toggle readings for RC5 and
// RC6), a raw one as captured. The Flipper names of the universal remotes' buttons take the names
// layouts use (Vol_up "Vol+", Vol_dn "Vol-", Ch_next "Ch+", Ch_prev "Ch-"); a later button of the
// same name replaces an earlier one. A button that cannot be converted, a file that is not a
// Flipper IR file and a model left without signals are skipped with a warning on standard error.
// 1023 when DIR is not a readable folder, 1116 when no model remains, 1114 when the archive would
// be too large.
[[nodiscard]] zq::result_t flipper_archive_content(const std::string& folder, xman::ir_archive_content& out);

}  // namespace zqtool
