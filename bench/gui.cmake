# Benchmarks of the desktop program: drawing, start-up beside a minimal Qt window, and a minute of play.
if(NOT TARGET blokko_desktop_harness) # the tests are not built: the benchmarks bring the harness in
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/tests/support)
endif()
add_library(blokko_bench_gui STATIC gui_support.cpp)
target_link_libraries(blokko_bench_gui PUBLIC blokko_desktop_harness PRIVATE blokko_warnings)

add_executable(blokko_drawing_bench drawing_bench.cpp)
target_link_libraries(blokko_drawing_bench PRIVATE blokko_bench_gui benchmark::benchmark blokko_warnings)

add_library(blokko_first_frame STATIC first_frame.cpp)
target_include_directories(blokko_first_frame PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(blokko_first_frame PUBLIC Qt6::Widgets PRIVATE blokko_warnings)

# The program started as the game starts, quitting after the difficulty window's first frame.
add_executable(blokko_startup_probe startup_probe.cpp)
target_link_libraries(blokko_startup_probe PRIVATE blokko_view blokko_first_frame blokko_warnings)

# The floor: a Qt window that paints one colour, quitting after its first frame.
add_executable(blokko_floor_window floor_window.cpp)
target_link_libraries(blokko_floor_window PRIVATE blokko_first_frame blokko_warnings)

add_executable(blokko_play_bench play_bench.cpp)
target_link_libraries(blokko_play_bench PRIVATE blokko_bench_gui blokko_warnings)
