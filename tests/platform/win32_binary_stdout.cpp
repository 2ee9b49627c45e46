// Built into every Windows test program: its standard output is switched to
// binary mode before main, so test listings end their lines in "\n" alone
// and CTest's test discovery (which reads them on Linux) gets clean names.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const int binary_stdout = _setmode(_fileno(stdout), _O_BINARY);

}  // namespace
