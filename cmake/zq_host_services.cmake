# A program that loads Orientix exports the platform services the library calls (the list in
# zq_host_services.list), so that the library turns this program's display. Only those symbols go
# into the program's dynamic symbol table, not all of them as ENABLE_EXPORTS would put there.
function(zq_serves_orientix target)
  set(list ${PROJECT_SOURCE_DIR}/cmake/zq_host_services.list)
  target_link_options(${target} PRIVATE "LINKER:--dynamic-list=${list}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${list})
  add_dependencies(${target} Orientix)
endfunction()
