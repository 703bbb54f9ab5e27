# Writes a C++ source holding the bytes of INPUT and registering them with the program's module:
# KIND "resource" as resource TYPE ID, KIND "library" as a whole resource library image.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# Sixteen bytes to a line.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
if(KIND STREQUAL "library")
  set(registration "const platform::program_resource_library registered(bytes, ${size});")
else()
  set(registration "const platform::program_resource registered(\"${TYPE}\", \"${ID}\", bytes, ${size});")
endif()
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT}; do not edit.
#include \"platform/module_program.h\"

namespace {
// One byte more than the resource, so that an empty resource is still a valid array.
alignas(8) const unsigned char bytes[] = {
${bytes}0};
${registration}
}  // namespace
")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
