# Resources compiled into a program. The generated sources register them with the program's module
# (src/platform/module_program.h) before main runs; the target must link zq_platform.
#
#   zq_embed_resource(TARGET TYPE type ID id FILE path)
#       one resource: the file's bytes; type and id are a decimal number or a name
#   zq_embed_resource_folder(TARGET DIR folder)
#       every resource of a folder with a manifest.txt (the form `zqtool skin build` takes:
#       files, documents in text form, string table entries), built into a library at build
#       time and embedded whole
#
# Both rebuild when their inputs change.

set(ZQ_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/zq_embed_file.cmake)

function(zq_embed_resource target)
  cmake_parse_arguments(arg "" "TYPE;ID;FILE" "" ${ARGN})
  if(NOT arg_TYPE OR NOT arg_ID OR NOT arg_FILE)
    message(FATAL_ERROR "zq_embed_resource(${target} TYPE type ID id FILE path)")
  endif()
  get_filename_component(input ${arg_FILE} ABSOLUTE)
  string(MAKE_C_IDENTIFIER "${target}_${arg_TYPE}_${arg_ID}" stem)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${stem}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DKIND=resource
            -DTYPE=${arg_TYPE} -DID=${arg_ID} -P ${ZQ_EMBED_SCRIPT}
    DEPENDS ${input} ${ZQ_EMBED_SCRIPT}
    COMMENT "Embedding resource ${arg_TYPE} ${arg_ID} in ${target}")
  target_sources(${target} PRIVATE ${output})
endfunction()

function(zq_embed_resource_folder target)
  cmake_parse_arguments(arg "" "DIR" "" ${ARGN})
  get_filename_component(folder ${arg_DIR} ABSOLUTE)
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${folder}/*)
  string(MAKE_C_IDENTIFIER "${target}_${arg_DIR}" stem)
  set(library ${CMAKE_CURRENT_BINARY_DIR}/embedded/${stem}.dll)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${stem}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/embedded
    COMMAND zqtool skin build ${folder} ${library}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${library} -DOUTPUT=${output} -DKIND=library -P ${ZQ_EMBED_SCRIPT}
    DEPENDS ${inputs} zqtool ${ZQ_EMBED_SCRIPT}
    COMMENT "Embedding the resources of ${arg_DIR} in ${target}")
  target_sources(${target} PRIVATE ${output})
endfunction()
