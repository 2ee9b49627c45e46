# Third-party code comes from the system, never from this repository.

# stb_image / stb_image_write: header-only, from Debian's libstb-dev
# (/usr/include/stb) or any include path that holds stb_image.h.
find_path(STB_INCLUDE_DIR stb_image.h
  PATH_SUFFIXES stb
  HINTS ${STB_ROOT} ENV STB_ROOT
  PATHS /usr/include /usr/local/include
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT STB_INCLUDE_DIR)
  message(FATAL_ERROR "stb_image.h not found: install libstb-dev (scripts/install-deps.sh) or set STB_ROOT")
endif()

# GoogleTest for the Windows and the browser cross builds: no build of it for
# either is packaged, so it is built here from Debian's sources (package
# googletest) before tests/ asks for it; find_package(GTest) then finds these
# targets. The browser build's tests run single-threaded under node.
if(((WIN32 AND CMAKE_CROSSCOMPILING) OR EMSCRIPTEN) AND NOT TARGET GTest::gtest)
  if(EMSCRIPTEN)
    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  endif()
  include(FetchContent)
  set(QUARRYTOP_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  FetchContent_Declare(GTest SOURCE_DIR ${QUARRYTOP_GOOGLETEST_SOURCE} OVERRIDE_FIND_PACKAGE)
  FetchContent_MakeAvailable(GTest)
endif()

if(QUARRYTOP_TESTS)
  # tinyobjloader: the OBJ reader of quarrytop-model, from Debian's
  # libtinyobjloader-dev; only its header is used (its implementation is
  # compiled into the tool), which also serves the Windows cross build.
  find_path(TINYOBJLOADER_INCLUDE_DIR tiny_obj_loader.h
    HINTS ${TINYOBJLOADER_ROOT} ENV TINYOBJLOADER_ROOT
    PATHS /usr/include /usr/local/include
    NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TINYOBJLOADER_INCLUDE_DIR)
    message(FATAL_ERROR "tiny_obj_loader.h not found: install libtinyobjloader-dev (scripts/install-deps.sh) or set TINYOBJLOADER_ROOT")
  endif()
  # The header sits in /usr/include itself, which must not be put on the include
  # path (least of all the Windows cross build's), so it is copied alone into a
  # folder of the build tree.
  set(TINYOBJLOADER_HEADER_DIR ${CMAKE_BINARY_DIR}/system-headers/tinyobjloader)
  configure_file(${TINYOBJLOADER_INCLUDE_DIR}/tiny_obj_loader.h ${TINYOBJLOADER_HEADER_DIR}/tiny_obj_loader.h COPYONLY)
endif()
