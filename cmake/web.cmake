# The browser edition, built with Emscripten (preset `web`, into build/web/).

# The trace driver under node: it reads its .wasm from disk synchronously, reads standard input whole
# even from a slow pipe, and exits with main's status.
set_target_properties(blokko-trace PROPERTIES SUFFIX ".js")
target_link_options(blokko-trace PRIVATE
    -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sNODERAWFS=1 -sEXIT_RUNTIME=1)

if(BLOKKO_TESTS)
    enable_testing()
    add_subdirectory(tests/web)
endif()

# The falling tick timed in batches, as bench/ times it natively (scripts/bench-web.sh compares them).
add_executable(blokko_falling_tick_bench bench/falling_tick.cpp)
target_link_libraries(blokko_falling_tick_bench PRIVATE blokko_engine blokko_warnings)
target_link_options(blokko_falling_tick_bench PRIVATE -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)
