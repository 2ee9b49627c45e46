// libFuzzer target for the .bmf reader. Any input either parses or ends in
// fatal_error with a message naming the file; a crash, a sanitizer report or
// a broken invariant below is a fault.
//
// A parsed model must be exactly what the file says: every field the reader
// keeps has the bytes it came from, and writing the model out again gives
// those same bytes (the normals aside, which are recomputed), so a reader
// that skipped, misplaced or invented a field is caught too.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/model_format.h"
#include "fatal_error_throws.h"

namespace {

const char* const NAME = "fuzz.bmf";

void check(bool ok)
{
    if (!ok)
        std::abort();
}

// The model's fields against the file's bytes at their places.
void check_against_input(const Model& model, const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> encoded = encode_model(model);
    // Nothing after the half-extents is read, so the encoding is the input's
    // start, no longer than the input.
    check(encoded.size() <= size);
    const size_t vertex_end = 4 + model.vertices.size() * sizeof(ModelVertex);
    check(std::memcmp(encoded.data(), data, 4) == 0);
    for (size_t i = 0; i < model.vertices.size(); i++) {
        const size_t at = 4 + i * sizeof(ModelVertex);
        check(std::memcmp(encoded.data() + at, data + at, 12) == 0);            // position
        check(std::memcmp(encoded.data() + at + 24, data + at + 24, 8) == 0);   // u, v
    }
    check(std::memcmp(encoded.data() + vertex_end, data + vertex_end, encoded.size() - vertex_end) == 0);
}

void check_model(const Model& model)
{
    const int count = (int)model.vertices.size();
    check(count % 3 == 0);
    int32_t next = 0;
    for (const Submesh& submesh : model.submeshes) {
        check(submesh.count >= 0);
        check(submesh.first == next);
        next += submesh.count;
    }
    check(next == count);
    for (const ModelVertex& v : model.vertices) {
        // Finite whatever the positions: degenerate and overflowing
        // triangles get the zero normal.
        check(std::isfinite(v.normal.x) && std::isfinite(v.normal.y) && std::isfinite(v.normal.z));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Model model;
    try {
        model = parse_model(NAME, data, size);
    } catch (const FatalError& error) {
        // Rejected: the message names the file and says what is wrong.
        check(error.message.compare(0, std::strlen(NAME) + 2, std::string(NAME) + ": ") == 0);
        check(error.message.size() > std::strlen(NAME) + 2);
        return 0;
    }
    check_model(model);
    check_against_input(model, data, size);

    // What the writer makes of a parsed model reads back as the same model.
    const std::vector<uint8_t> bytes = encode_model(model);
    try {
        const Model again = parse_model("re-encoded", bytes.data(), bytes.size());
        check(encode_model(again) == bytes);
    } catch (const FatalError&) {
        check(false);
    }
    return 0;
}
