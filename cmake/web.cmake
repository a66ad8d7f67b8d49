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

# The page: the engine and its scene behind a small C interface (web/page_api.cpp), and the static files
# that go with it. Everything the page needs lands at the top of build/web/.
add_executable(blokko-engine web/page_api.cpp web/frame_writer.cpp)
target_link_libraries(blokko-engine PRIVATE blokko_scene blokko_warnings)
set(page_functions page_start page_ended page_click page_scroll page_key page_tick page_close page_state
    page_frame page_text page_picture page_picture_width page_test_start page_test_rand)
list(TRANSFORM page_functions PREPEND "_")
string(JOIN "," page_exports ${page_functions})
target_link_options(blokko-engine PRIVATE
    -sENVIRONMENT=web -sMODULARIZE=1 -sEXPORT_NAME=createBlokkoEngine -sFILESYSTEM=0
    -sEXPORTED_FUNCTIONS=${page_exports} -sEXPORTED_RUNTIME_METHODS=cwrap,UTF8ToString
    -sINITIAL_MEMORY=4MB -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=256KB)

file(GLOB page_modules RELATIVE ${PROJECT_SOURCE_DIR}/web CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/page/*.js)
foreach(file index.html blokko.css ${page_modules})
    configure_file(${PROJECT_SOURCE_DIR}/web/${file} ${CMAKE_BINARY_DIR}/${file} COPYONLY)
endforeach()
find_program(PYTHON3 NAMES python3 REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/favicon.ico
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/web/favicon.py ${CMAKE_BINARY_DIR}/favicon.ico
    DEPENDS ${PROJECT_SOURCE_DIR}/web/favicon.py)
add_custom_target(blokko_favicon ALL DEPENDS ${CMAKE_BINARY_DIR}/favicon.ico)

# The desktop's look-alike fonts, from Debian's font packages, each with its package's licence.
set(page_fonts
    "EB Garamond|/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Bold.otf|fonts-ebgaramond"
    "DejaVu Sans|/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf|fonts-dejavu-core"
    "Liberation Serif|/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf|fonts-liberation"
    "Liberation Sans|/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf|fonts-liberation"
    "Dancing Script|/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf|fonts-dancingscript"
    "Kaushan Script|/usr/share/fonts/opentype/kaushanscript/KaushanScript-Regular.otf|fonts-kaushanscript")
set(font_notes "The fonts of the Blokko page: files of Debian's font packages, each under its package's licence.\n\n")
foreach(entry ${page_fonts})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 family)
    list(GET entry 1 font)
    list(GET entry 2 package)
    set(licence /usr/share/doc/${package}/copyright)
    if(NOT EXISTS ${font} OR NOT EXISTS ${licence})
        message(FATAL_ERROR "${font} or ${licence} is missing: run bash scripts/setup.sh")
    endif()
    get_filename_component(font_name ${font} NAME)
    configure_file(${font} ${CMAKE_BINARY_DIR}/fonts/${font_name} COPYONLY)
    configure_file(${licence} ${CMAKE_BINARY_DIR}/fonts/${package}.copyright.txt COPYONLY)
    string(APPEND font_notes "${family}: ${font_name}, from the Debian package ${package}; licence: ${package}.copyright.txt\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/fonts/README.txt "${font_notes}")
