// The client size, from the window's start size until the first pass reads it.
#include "base/client_size.h"

int32_t client_width = START_CLIENT_WIDTH;
int32_t client_height = START_CLIENT_HEIGHT;
