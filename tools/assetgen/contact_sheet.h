#pragma once
// Pictures for looking at the generated data by eye: a contact sheet of the
// textures and the font, and previews of the models drawn the way the game
// draws them. Neither is game data; both are written only on request.
#include <string>

namespace gen {

void write_contact_sheet(const std::string& path);
void write_model_preview(const std::string& path);

}  // namespace gen
