// The floor for the game's time to its first frame: the least any program
// could do to show 50 MB of terrain-sized vertex records. It opens the same
// window and context as the game (platform_open_window), fills an array of
// TERRAIN_VERTEX_COUNT records with a flat grid (no noise), uploads it into
// one buffer, draws it once from the game's start view with the fixed
// pipeline, and swaps; then it waits for a close or Escape.
// first_frame_vs_floor.sh times it against the game.
#include <SDL.h>

#include <vector>

#include "base/model_format.h"
#include "base/platform.h"
#include "base/transform.h"
#include "gfx/gl_functions.h"
#include "world/terrain_mesh.h"

int main(int, char**)
{
    platform_open_window();

    // Same layout and order as the terrain's records: cell (i, j) at
    // 6 * (512 j + i), two triangles facing up.
    std::vector<ModelVertex> records((size_t)TERRAIN_VERTEX_COUNT);
    ModelVertex* cell = records.data();
    const Vec3 up{0, 1, 0};
    for (int j = 0; j < TERRAIN_CELLS; j++)
        for (int i = 0; i < TERRAIN_CELLS; i++, cell += 6) {
            const float x0 = (float)i, x1 = (float)(i + 1), z0 = (float)j, z1 = (float)(j + 1);
            cell[0] = ModelVertex{{x0, 0, z0}, up, 0, 0};
            cell[1] = ModelVertex{{x0, 0, z1}, up, 0, 0};
            cell[2] = ModelVertex{{x1, 0, z1}, up, 0, 0};
            cell[3] = ModelVertex{{x1, 0, z1}, up, 0, 0};
            cell[4] = ModelVertex{{x1, 0, z0}, up, 0, 0};
            cell[5] = ModelVertex{{x0, 0, z0}, up, 0, 0};
        }
    GLuint buffer = 0;
    gl.GenBuffers(1, &buffer);
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    gl.BufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(records.size() * sizeof(ModelVertex)), records.data(),
                  GL_STATIC_DRAW);

    // The game's sky, and the grid seen level from above the start point.
    int32_t width = 0, height = 0;
    platform_client_size(&width, &height);
    glViewport(0, 0, width, height);
    glClearColor(0.392f, 0.584f, 0.929f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(view_projection(Camera{100, 20, 100, 0, 0, 0}, VIEW_ASPECT).m);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(0.3f, 0.7f, 0.3f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(ModelVertex), nullptr);
    glDrawArrays(GL_TRIANGLES, 0, TERRAIN_VERTEX_COUNT);
    platform_swap_buffers();

    for (;;) {
        SDL_Event event;
        if (!SDL_WaitEvent(&event) || event.type == SDL_QUIT ||
            (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE))
            break;
    }
    return 0;
}
