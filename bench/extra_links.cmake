# Link needs of individual benchmarks beyond the project's libraries.
target_link_libraries(meta_reader_bench PRIVATE msgpackc)
