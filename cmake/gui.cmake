# The desktop program: a Qt 6 Widgets view over the engine, and the `blokko` executable.
find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
find_package(Fontconfig REQUIRED)

add_library(blokko_view STATIC
    desktop/twips.h
    desktop/fonts.cpp
    desktop/command_line.cpp
    desktop/key_codes.cpp
    desktop/device_painter.cpp
    desktop/accessibility.cpp
    desktop/keyboard_play.cpp
    desktop/cell_painter.cpp
    desktop/caption_button.cpp
    desktop/curtain_widget.cpp
    desktop/game_window.cpp
    desktop/difficulty_window.cpp
    desktop/desktop_app.cpp
)
set_target_properties(blokko_view PROPERTIES AUTOMOC ON)
target_link_libraries(blokko_view PUBLIC blokko_scene Qt6::Widgets PRIVATE Fontconfig::Fontconfig blokko_warnings)
target_compile_definitions(blokko_view PRIVATE BLOKKO_VERSION="${PROJECT_VERSION}")

add_executable(blokko desktop/main.cpp)
target_link_libraries(blokko PRIVATE blokko_view blokko_warnings)

