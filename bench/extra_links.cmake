# Link needs of individual benchmarks beyond the project's libraries.
target_link_libraries(meta_reader_bench PRIVATE msgpackc)
# The IR transmit benchmark runs the drivers against the simulated handheld.
target_link_libraries(ir_transmit_bench PRIVATE zq_hwsim)
# The zqtool benchmark runs the built tool on the simulated handheld.
target_compile_definitions(zqtool_ir_bench PRIVATE ZQTOOL_PATH="$<TARGET_FILE:zqtool>")
add_dependencies(zqtool_ir_bench zqtool)
# The start benchmark installs the built program with its skins and 200 codebases made by zqtool.
target_compile_definitions(zequon_start_bench PRIVATE ZEQUON_PATH="$<TARGET_FILE:Zequon>"
                                                     ZQTOOL_PATH="$<TARGET_FILE:zqtool>"
                                                     ZQ_SKIN_FOLDER="${ZQ_SKIN_FOLDER}")
add_dependencies(zequon_start_bench Zequon zqtool zq_skins Orientix)
# The remote screen benchmark draws and taps the remote model on the headless backend.
target_link_libraries(remote_screen_bench PRIVATE zq_remote zq_hwsim zq_platform_headless)
target_compile_definitions(remote_screen_bench PRIVATE ZQTOOL_PATH="$<TARGET_FILE:zqtool>"
                                                       ZQ_SKIN_FOLDER="${ZQ_SKIN_FOLDER}")
add_dependencies(remote_screen_bench zqtool zq_skins)
