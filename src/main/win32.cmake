# The Windows layer (Win32 + WGL) and the game, quarrytop.exe.

# GoogleTest for the cross build: no Windows build of it is packaged, so it is
# built here from Debian's sources (package googletest) before tests/ asks
# for it; find_package(GTest) then finds these targets.
if(CMAKE_CROSSCOMPILING AND NOT TARGET GTest::gtest)
  include(FetchContent)
  set(QUARRYTOP_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  FetchContent_Declare(GTest SOURCE_DIR ${QUARRYTOP_GOOGLETEST_SOURCE} OVERRIDE_FIND_PACKAGE)
  FetchContent_MakeAvailable(GTest)
endif()

# The layer without the context: the window, the window procedure, the
# message drain and the clock. The tests drive these on a real window.
add_library(quarrytop_win32 STATIC
  win32_window.cpp
  win32_input.cpp
  win32_messages.cpp
  win32_gl_version.cpp
)
target_compile_definitions(quarrytop_win32 PUBLIC UNICODE _UNICODE)
target_link_libraries(quarrytop_win32 PUBLIC quarrytop_core user32 gdi32)

# The "Error" box of fatal_error.
add_library(quarrytop_win32_fatal_error STATIC win32_fatal_error.cpp)
target_include_directories(quarrytop_win32_fatal_error PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quarrytop_win32_fatal_error PUBLIC user32)

# The game: a GUI program (no console window) that reads tex/ and mdl/ from
# the folder it is started in.
add_executable(quarrytop WIN32 win32_main.cpp win32_context.cpp game.cpp)
target_compile_definitions(quarrytop PRIVATE UNICODE _UNICODE)
target_link_libraries(quarrytop PRIVATE
  quarrytop_frame_loop quarrytop_gl_error_check quarrytop_draw quarrytop_gfx
  quarrytop_win32 quarrytop_win32_fatal_error quarrytop_core opengl32 gdi32 user32)
