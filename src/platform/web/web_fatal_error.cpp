// fatal_error of the browser game: the text in the console and over the
// canvas, then the loop stops for good; the page stays, showing the text.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "base/fatal_error.h"

void fatal_error(const char* text)
{
    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);

    // The page's error area lies over the canvas; a page without one still
    // has the console.
    EM_ASM(
        {
            var area = document.getElementById('error');
            if (area) {
                area.textContent = UTF8ToString($0);
                area.hidden = false;
            }
            if (document.exitPointerLock)
                document.exitPointerLock();
        },
        text);

    // No further animation frame runs a pass; exit then unwinds whatever
    // called this, start-up or a pass, without returning into it.
    emscripten_cancel_main_loop();
    std::exit(1);
}
