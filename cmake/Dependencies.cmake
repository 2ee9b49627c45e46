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
