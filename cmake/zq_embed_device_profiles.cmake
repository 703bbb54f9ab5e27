# Writes a C++ source holding the device profiles (the REGEDIT4 files in INPUTS, named by their
# file names without .reg) as the table platform::shipped_device_profiles() returns.
set(arrays "")
set(entries "")
set(index 0)
foreach(input IN LISTS INPUTS)
  get_filename_component(name ${input} NAME_WE)
  file(READ ${input} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char profile_${index}[] = {\n${bytes}0};\n")
  string(APPEND entries "      {\"${name}\", {reinterpret_cast<const char*>(profile_${index}), ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
"// Generated from data/devices/*.reg; do not edit.
#include \"platform/device_profile.h\"

namespace platform {

namespace {
// Each with one byte more, so that an empty file is still a valid array.
${arrays}}  // namespace

std::span<const shipped_device_profile> shipped_device_profiles() {
  static const shipped_device_profile table[] = {
${entries}  };
  return table;
}

}  // namespace platform
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
