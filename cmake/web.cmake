# The browser edition, built with Emscripten (preset `web`: the build's own files in build/web-build/, the
# page in build/web/).

# The site: the folder a web server serves and an operator copies. Only what the page loads goes there,
# plus the trace driver (tests run it from there; the page never loads it); the build's cache, compile
# database, logs and objects stay in the binary folder.
set(BLOKKO_SITE_DIR ${CMAKE_BINARY_DIR}/site CACHE PATH "The page's folder: what a web server may serve")
set(site ${BLOKKO_SITE_DIR})
if(site STREQUAL CMAKE_BINARY_DIR)
    message(FATAL_ERROR "BLOKKO_SITE_DIR must not be the build folder: the site would serve the build's cache")
endif()

# The trace driver under node: it reads its .wasm from disk synchronously, reads standard input whole
# even from a slow pipe, and exits with main's status.
set_target_properties(blokko-trace PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${site})
target_link_options(blokko-trace PRIVATE
    -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sNODERAWFS=1 -sEXIT_RUNTIME=1)

if(BLOKKO_TESTS)
    enable_testing()
    add_subdirectory(tests/web)
endif()

# The falling tick timed in batches, as bench/ times it natively (scripts/bench-web.sh compares them).
add_executable(blokko_falling_tick_bench bench/falling_tick.cpp)
target_link_libraries(blokko_falling_tick_bench PRIVATE blokko_scene blokko_warnings)
target_link_options(blokko_falling_tick_bench PRIVATE -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 -sEXIT_RUNTIME=1)

# The page: the engine and its scene behind a small C interface (web/page_api.cpp), and the static files
# that go with it, all in the site.
add_executable(blokko-engine web/page_api.cpp web/frame_writer.cpp web/paint_writer.cpp)
target_link_libraries(blokko-engine PRIVATE blokko_scene blokko_warnings)
set_target_properties(blokko-engine PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${site})
set(page_functions page_start page_ended page_click page_scroll page_key page_pad page_tick page_close page_state
    page_frame page_text page_draw_afresh page_hatch_tile page_set_scale page_key_code page_keys_taken page_test_start
    page_test_rand)
list(TRANSFORM page_functions PREPEND "_")
string(JOIN "," page_exports ${page_functions})
# An ES module that the page imports (for the key rule) and the game's worker too (for the game).
target_link_options(blokko-engine PRIVATE
    -sENVIRONMENT=web,worker -sMODULARIZE=1 -sEXPORT_ES6=1 -sEXPORT_NAME=createBlokkoEngine -sFILESYSTEM=0
    -sEXPORTED_FUNCTIONS=${page_exports} -sEXPORTED_RUNTIME_METHODS=cwrap,UTF8ToString
    -sINITIAL_MEMORY=4MB -sALLOW_MEMORY_GROWTH=1 -sTOTAL_STACK=256KB)

# The page's static files, copied from web/ to the same place in the site: the one list of them. Files
# generated for the page are written into ${site} by their own commands below.
file(GLOB page_modules RELATIVE ${PROJECT_SOURCE_DIR}/web CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/web/page/*.js)
set(page_files index.html blokko.css manifest.webmanifest ${page_modules})
foreach(file ${page_files})
    configure_file(${PROJECT_SOURCE_DIR}/web/${file} ${site}/${file} COPYONLY)
endforeach()
find_program(PYTHON3 NAMES python3 REQUIRED)
set(page_icons favicon.ico icon-192.png icon-512.png icon-maskable-512.png)
list(TRANSFORM page_icons PREPEND ${site}/ OUTPUT_VARIABLE page_icon_paths)
add_custom_command(OUTPUT ${page_icon_paths}
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/web/icons.py ${site}
    DEPENDS ${PROJECT_SOURCE_DIR}/web/icons.py)
add_custom_target(blokko_icons ALL DEPENDS ${page_icon_paths})

# The look-alike fonts of the one list (scene/fonts.txt), each with its package's licence, their @font-face
# rules and the faces the page loads before its first frame.
foreach(kind_and_file "css;fonts.css" "js;page/fonts.js")
    list(GET kind_and_file 0 kind)
    list(GET kind_and_file 1 out)
    add_custom_command(OUTPUT ${site}/${out}
        COMMAND ${BLOKKO_PYTHON3} ${PROJECT_SOURCE_DIR}/tools/font_table.py ${BLOKKO_FONT_LIST} ${kind}
            ${site}/${out}
        DEPENDS ${PROJECT_SOURCE_DIR}/tools/font_table.py ${BLOKKO_FONT_LIST} ${font_files})
endforeach()
add_custom_target(blokko_page_fonts ALL DEPENDS ${site}/fonts.css ${site}/page/fonts.js)

# The codes of a frame (item kinds and flags, canvas calls), from their one source in C++.
add_custom_command(OUTPUT ${site}/page/frame_codes.js
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/frame_codes.py ${PROJECT_SOURCE_DIR}/web/frame_codes.h
        ${site}/page/frame_codes.js
    DEPENDS ${PROJECT_SOURCE_DIR}/tools/frame_codes.py ${PROJECT_SOURCE_DIR}/web/frame_codes.h)
add_custom_target(blokko_frame_codes ALL DEPENDS ${site}/page/frame_codes.js)
set(page_font_files fonts.css page/fonts.js fonts/README.txt)
set(font_notes "The fonts of the Blokko page: files of Debian's font packages, each under its package's licence.\n\n")
foreach(entry ${font_entries})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 2 family)
    list(GET entry 3 font)
    list(GET entry 4 package)
    set(licence /usr/share/doc/${package}/copyright)
    if(NOT EXISTS ${font} OR NOT EXISTS ${licence})
        message(FATAL_ERROR "${font} or ${licence} is missing: run bash scripts/setup.sh")
    endif()
    get_filename_component(font_name ${font} NAME)
    configure_file(${font} ${site}/fonts/${font_name} COPYONLY)
    configure_file(${licence} ${site}/fonts/${package}.copyright.txt COPYONLY)
    list(APPEND page_font_files fonts/${font_name} fonts/${package}.copyright.txt)
    string(APPEND font_notes "${family}: ${font_name}, from the Debian package ${package}; licence: ${package}.copyright.txt\n")
endforeach()
file(WRITE ${site}/fonts/README.txt "${font_notes}")
list(REMOVE_DUPLICATES page_font_files) # one licence for two fonts of a package

# The site: every file of the page, relative to the site folder, the one list of them. A server needs them
# all; the service worker keeps them for offline play, under a name that changes with any of them.
set(site_files ${page_files} ${page_icons} blokko-engine.js blokko-engine.wasm ${page_font_files}
    page/frame_codes.js)
list(TRANSFORM site_files PREPEND ${site}/ OUTPUT_VARIABLE site_paths)
# The .wasm comes with blokko-engine.js, which the engine's target names.
list(FILTER site_paths EXCLUDE REGEX "\\.wasm$")
add_custom_command(OUTPUT ${site}/service-worker.js
    COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/web/service_worker.py ${site}
        ${PROJECT_SOURCE_DIR}/web/service-worker.js ${site}/service-worker.js ${site_files}
    DEPENDS ${PROJECT_SOURCE_DIR}/web/service_worker.py ${PROJECT_SOURCE_DIR}/web/service-worker.js ${site_paths}
        blokko-engine blokko_icons blokko_page_fonts blokko_frame_codes)
add_custom_target(blokko_service_worker ALL DEPENDS ${site}/service-worker.js)
