# The program's own resources (menus, dialog templates, the key click, the learning beep and the
# hatch patterns of the remote screen), compiled into every program that shows the program's
# windows: the program itself, the dialog tour and the tests.
set(ZQ_PROGRAM_RESOURCE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(zq_embed_program_resources target)
  set(r ${ZQ_PROGRAM_RESOURCE_DIR})
  zq_embed_resource(${target} TYPE MENU ID 128 FILE ${r}/menu_128.txt)
  zq_embed_resource(${target} TYPE MENU ID 257 FILE ${r}/menu_257.txt)
  zq_embed_resource(${target} TYPE WAVE ID 165 FILE ${r}/sound_key_click.wav)
  zq_embed_resource(${target} TYPE WAVE ID 201 FILE ${r}/sound_learned_beep.wav)
  # The hatch overlay's pattern (bitmap resources: a BMP without its file header), a one-pixel
  # checker and the same doubled for the high-resolution screens.
  zq_embed_resource(${target} TYPE 2 ID 330 FILE ${r}/bitmap_hatch_pattern.dib)
  zq_embed_resource(${target} TYPE 2 ID 331 FILE ${r}/bitmap_hatch_pattern_large.dib)
  # Each dialog has a portrait, a landscape and a square template, in that order of ids.
  foreach(dialog IN ITEMS help:170 ir_setup:180 flip_screen:190 about:195)
    string(REPLACE ":" ";" parts ${dialog})
    list(GET parts 0 name)
    list(GET parts 1 id)
    foreach(shape IN ITEMS portrait landscape square)
      zq_embed_resource(${target} TYPE DIALOG ID ${id} FILE ${r}/dialog_${name}_${shape}.txt)
      math(EXPR id "${id} + 1")
    endforeach()
  endforeach()
endfunction()
