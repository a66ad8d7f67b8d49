# The desktop program: a Qt 6 Widgets view over the engine, and the `blokko` executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
find_package(Fontconfig REQUIRED)

add_library(blokko_view STATIC
    window/twips.h
    window/fonts.cpp
    window/key_codes.cpp
    window/cell_painter.cpp
    window/paint_cache.cpp
    window/caption_button.cpp
    window/curtain_widget.cpp
    window/game_window.cpp
    flow/difficulty_window.cpp
    flow/desktop_app.cpp
)
set_target_properties(blokko_view PROPERTIES AUTOMOC ON)
target_link_libraries(blokko_view PUBLIC blokko_engine Qt6::Widgets PRIVATE Fontconfig::Fontconfig blokko_warnings)
target_compile_definitions(blokko_view PRIVATE BLOKKO_VERSION="${PROJECT_VERSION}")

add_executable(blokko flow/main.cpp)
target_link_libraries(blokko PRIVATE blokko_view blokko_warnings)

