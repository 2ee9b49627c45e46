// libFuzzer target for the OBJ import of quarrytop-model: any bytes go
// through tinyobjloader into our conversion and the .bmf writer. An input is
// either refused through fatal_error with a message naming the file, or gives
// a model the game can load; a crash, a sanitizer report or a broken
// invariant below is a fault.
//
// What is imported must also survive the tool's own round trip: exported
// again and imported again it gives the same .bmf bytes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/game_files.h"
#include "base/model_format.h"
#include "fatal_error_throws.h"
#include "model/obj_export.h"
#include "model/obj_import.h"

namespace {

const char* const NAME = "fuzz.obj";

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void check_refusal(const FatalError& error)
{
    check(error.message.compare(0, std::strlen(NAME), NAME) == 0);
    check(error.message.size() > std::strlen(NAME) + 2);
}

void check_model(const Model& model)
{
    check(!model.vertices.empty() && model.vertices.size() % 3 == 0);
    check(!model.submeshes.empty() && model.submeshes.size() <= 255);
    int32_t next = 0;
    for (const Submesh& submesh : model.submeshes) {
        check(submesh.first == next && submesh.count > 0 && submesh.count % 3 == 0);
        check(is_model_texture(submesh.name));
        next += submesh.count;
    }
    check(next == (int32_t)model.vertices.size());
    for (const ModelVertex& v : model.vertices) {
        const float* values = &v.position.x;
        for (int k = 0; k < 8; k++)
            check(std::isfinite(values[k]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    // Most inputs name materials the game does not know; the mapping puts
    // the first byte's choice of texture on every face, so that the
    // conversion past the texture check is reached too.
    ImportOptions options;
    if (size > 0 && data[0] % 2 == 0)
        options.texture = LOADED_TEXTURES[data[0] / 2 % LOADED_TEXTURE_COUNT];
    Model model;
    try {
        model = import_obj(NAME, text, options);
    } catch (const FatalError& error) {
        check_refusal(error);
        return 0;
    }
    check_model(model);
    const std::vector<uint8_t> bytes = encode_model(model);
    try {
        const Model read = parse_model_as_stored("imported.bmf", bytes.data(), bytes.size());
        check(encode_model(read) == bytes);
        require_exportable("imported.bmf", read);
        const Model again = import_obj("exported.obj", obj_text(read, "exported.mtl"), ImportOptions{});
        check(encode_model(again) == bytes);
    } catch (const FatalError&) {
        check(false);
    }
    return 0;
}
