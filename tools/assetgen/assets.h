#pragma once
// Every data file of the game, made in memory and written under a folder.
#include <string>
#include <vector>

namespace gen {

// Paths of the generated files relative to the output folder, in the order
// they are written: tex/*.png, then mdl/*.bmf.
const std::vector<std::string>& asset_paths();

// Writes every file under `folder` (creating tex/ and mdl/); a failure to
// create or write ends the program through fatal_error naming the path.
void write_assets(const std::string& folder);

}  // namespace gen
