# The window, the OpenGL context and the clock of the Linux build (SDL2 from
# the system, Debian's libsdl2-dev). The input half of the SDL layer and the
# game executable link this library.
find_package(SDL2 REQUIRED)
find_package(OpenGL REQUIRED)

add_library(quarrytop_sdl_window STATIC ${CMAKE_CURRENT_LIST_DIR}/sdl_window.cpp)
target_include_directories(quarrytop_sdl_window PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quarrytop_sdl_window PUBLIC SDL2::SDL2 OpenGL::GL)
