# Link needs of individual benchmarks beyond the project's libraries.
target_link_libraries(meta_reader_bench PRIVATE msgpackc)
# The IR transmit benchmark runs the drivers against the simulated handheld.
target_link_libraries(ir_transmit_bench PRIVATE zq_hwsim)
