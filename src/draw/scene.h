#pragma once
// Everything the frames draw, built in the game's start-up order from tex/
// and mdl/ in the working directory: the shader programs, the textures, the
// font, the models, the noise table, the terrain mesh and the ore deposits.
// Needs a current OpenGL 2.0 context.
void build_scene();
