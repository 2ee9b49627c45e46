// The one translation unit that compiles tinyobjloader's implementation, from
// the system's header (Debian's libtinyobjloader-dev), so that the Linux and
// the Windows builds read OBJ files with the same code.
#define TINYOBJLOADER_IMPLEMENTATION
#include <tiny_obj_loader.h>
