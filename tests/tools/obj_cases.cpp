// The OBJ cases: polygons, index forms, materials, boxes and the inputs the
// import refuses, each with its outcome.
#include "tools/obj_cases.h"

#include <cstdio>

namespace {

ImportOptions texture(const char* name)
{
    ImportOptions options;
    options.texture = name;
    return options;
}

ImportOptions mapped(const char* material, const char* name)
{
    ImportOptions options;
    options.map.emplace_back(material, name);
    return options;
}

ImportOptions scaled(float scale)
{
    ImportOptions options;
    options.scale = scale;
    return options;
}

const char* const TRIANGLE = "v 0 0 0\nv 2 0 0\nv 0 1 0\n";
const char* const SQUARE = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n";
// A U of 8 corners, flat in z = 0; wound the other way, tinyobjloader's ear
// clipping covers only 75% of it at first.
const char* const CONCAVE_U = "v 0 0 0\nv 4 0 0\nv 4 4 0\nv 3 4 0\nv 3 1 0\nv 1 1 0\nv 1 4 0\nv 0 4 0\nusemtl wood\n";

const char* const LOADED = "\"ironOreNoise\", \"wood\", \"metal\", \"icon\", \"font\"";

// 256 runs, alternating wood and metal: more than a .bmf can hold.
std::string alternating_runs()
{
    std::string text = TRIANGLE;
    for (int i = 0; i < 256; i++)
        text += std::string("usemtl ") + (i % 2 ? "metal" : "wood") + "\nf 1 2 3\n";
    return text;
}

std::vector<ObjCase> make_cases()
{
    const std::string T = TRIANGLE, S = SQUARE;
    std::vector<ObjCase> cases = {
        {"triangle", T + "usemtl wood\nf 1 2 3\n", {}, "wood:3", "0 0 0 / 0 0 / 0 0 1", "1 0.5 0 / 1 0.5 0", ""},
        {"quad_in_two_triangles", S + "usemtl metal\nf 1 2 3 4\n", {}, "metal:6", "", "0.5 0.5 0 / 0.5 0.5 0", ""},
        {"hexagon_in_four_triangles",
         "v 1 0 0\nv 0.5 0.8 0\nv -0.5 0.8 0\nv -1 0 0\nv -0.5 -0.8 0\nv 0.5 -0.8 0\nusemtl icon\nf 1 2 3 4 5 6\n", {},
         "icon:12", "", "", ""},
        {"negative_indices_count_back_from_the_last_vertex", "v 9 9 9\n" + T + "usemtl wood\nf -3 -2 -1\n", {},
         "wood:3", "0 0 0 / 0 0 / 0 0 1", "", ""},
        {"v_vt_faces_take_the_texture_coordinates",
         T + "vt 0.25 0.5\nvt 0.75 0.5\nvt 0.25 1\nusemtl wood\nf 1/1 2/2 3/3\n", {}, "wood:3",
         "0 0 0 / 0.25 0.5 / 0 0 1", "", ""},
        {"v_vn_faces_take_the_normals", T + "vn 0 1 0\nusemtl wood\nf 1//1 2//1 3//1\n", {}, "wood:3",
         "0 0 0 / 0 0 / 0 1 0", "", ""},
        {"v_vt_vn_faces_take_both", T + "vt 0.5 0.5\nvn 1 0 0\nusemtl wood\nf 1/1/1 2/1/1 3/1/1\n", {}, "wood:3",
         "0 0 0 / 0.5 0.5 / 1 0 0", "", ""},
        {"a_face_without_normals_gives_flat_normals_everywhere",
         T + "vn 1 0 0\nusemtl wood\nf 1//1 2//1 3//1\nf 1 2 3\n", {}, "wood:6", "0 0 0 / 0 0 / 0 0 1", "", ""},
        {"each_usemtl_run_is_a_submesh", S + "usemtl wood\nf 1 2 3\nusemtl metal\nf 1 3 4\nf 1 2 4\nusemtl wood\nf 2 3 4\n",
         {}, "wood:3 metal:6 wood:3", "", "", ""},
        {"each_group_is_a_submesh_of_its_own", S + "g a\nusemtl wood\nf 1 2 3\ng b\nusemtl wood\nf 1 3 4\n", {},
         "wood:3 wood:3", "", "", ""},
        {"over_255_runs_group_by_texture", alternating_runs(), {}, "wood:384 metal:384", "", "", ""},
        {"a_concave_polygon", CONCAVE_U + std::string("f 1 2 3 4 5 6 7 8\n"), {}, "wood:18", "", "", ""},
        {"a_concave_polygon_wound_the_other_way", CONCAVE_U + std::string("f 8 7 6 5 4 3 2 1\n"), {}, "wood:18", "",
         "", ""},
        {"a_convex_polygon_away_from_the_origin",
         "v 10 0 0\nv 11 0 1\nv 11 0 2\nv 10 0 3\nv 9 0 2\nv 9 0 1\nusemtl wood\nf 1 2 3 4 5 6\nf 6 5 4 3 2 1\n", {},
         "wood:24", "", "", ""},
        {"points_lines_and_two_corner_faces_are_ignored", T + "usemtl wood\np 1\nl 1 2\nf 1 2\nf 1 2 3\n", {},
         "wood:3", "", "", ""},
        {"crlf_line_ends", "v 0 0 0\r\nv 2 0 0\r\nv 0 1 0\r\nusemtl wood\r\nf 1 2 3\r\n", {}, "wood:3", "", "", ""},
        {"the_box_comment_gives_the_box", "# box 1 2 3 0.5 0.25 0.125\n" + T + "usemtl wood\nf 1 2 3\n", {}, "wood:3",
         "", "1 2 3 / 0.5 0.25 0.125", ""},
        {"scale_multiplies_positions_and_the_box_comment", "# box 1 2 3 0.5 0.25 0.125\n" + T + "usemtl wood\nf 1 2 3\n",
         scaled(2), "wood:3", "0 0 0 / 0 0 / 0 0 1", "2 4 6 / 1 0.5 0.25", ""},
        {"map_puts_a_material_on_a_texture", T + "usemtl stone\nf 1 2 3\n", mapped("stone", "metal"), "metal:3", "", "",
         ""},
        {"texture_puts_every_face_on_one", S + "usemtl stone\nf 1 2 3\nusemtl moss\nf 1 3 4\n", texture("wood"),
         "wood:6", "", "", ""},
        {"faces_before_any_usemtl_take_the_texture_option", T + "f 1 2 3\n", texture("icon"), "icon:3", "", "", ""},
        // Refused.
        {"a_material_that_is_not_a_texture", T + "usemtl stone\nf 1 2 3\n", {}, "", "", "",
         "obj: the material \"stone\" is not a texture the game loads \\(" + std::string(LOADED) + "\\)"},
        {"a_mapped_name_that_is_not_a_texture", T + "usemtl stone\nf 1 2 3\n", mapped("stone", "granite"), "", "", "",
         "obj: the texture \"granite\" \\(for the material \"stone\"\\) is not one the game loads"},
        {"faces_before_any_usemtl", T + "f 1 2 3\n", {}, "", "", "", "obj: faces come before any \"usemtl\" line"},
        {"no_faces_at_all", T, {}, "", "", "", "obj: holds no triangle"},
        {"only_points_and_lines", T + "p 1 2 3\nl 1 2\n", {}, "", "", "", "obj: holds no triangle"},
        {"empty_file", "", {}, "", "", "", "obj: holds no triangle"},
        {"not_text", std::string("v 0 0 0\0\x01\x02", 10), {}, "", "", "", "obj: not a text file \\(byte 0x00 at offset 7\\)"},
        {"a_vertex_the_file_does_not_have", T + "usemtl wood\nf 1 2 9\n", {}, "", "", "",
         "obj: a face refers to vertex 9, but the file has 3 of them"},
        {"a_relative_index_before_the_first_vertex", T + "usemtl wood\nf 1 2 -4\n", {}, "", "", "",
         "obj: a face refers to vertex -1, but the file has 3 of them"},
        {"a_polygon_that_overlaps_itself", "v 1 0 0\nv 0.309 0.951 0\nv -0.809 0.588 0\nv -0.809 -0.588 0\nv 0.309 -0.951 0\nusemtl wood\nf 1 3 5 2 4\n", {}, "",
         "", "", "obj: the polygon of 5 corners from the vertex \\(1, 0, 0\\) is concave or overlaps itself, and its "
         "triangulation leaves part of it uncovered or covers what lies outside it"},
        // Found by fuzzing: stray bytes in a face line that tinyobjloader reads
        // as a corner with a texture coordinate the file does not have.
        {"a_face_with_stray_bytes", T + "v 0 1 0\nusemtl wood\nf 1 2 3\xf6" "f/ 1 2 3\n", {}, "", "", "",
         "obj: a face refers to texture coordinate 1, but the file has 0 of them"},
        {"a_skin_weight_line", T + "vw 1 1e38 0.5\nusemtl wood\nf 1 2 3\n", {}, "", "", "",
         "obj line 4: a \"vw\" line \\(vertex skin weights\\)"},
        {"a_zero_index", T + "usemtl wood\nf 0 1 2\n", {}, "", "", "", "obj: Failed parse `f' line.*line 5"},
        {"a_number_too_large_for_a_float", "v 0 0 0\nv 1e39 0 0\nv 0 1 0\nusemtl wood\nf 1 2 3\n", {}, "", "", "",
         "obj: a position, texture coordinate or normal is too large for a float"},
        {"a_box_line_without_six_numbers", "# box 1 2 3\n" + T + "usemtl wood\nf 1 2 3\n", {}, "", "", "",
         "obj line 1: the \"# box\" line needs six finite numbers"},
    };
    return cases;
}

std::string format_numbers(const char* format, double a, double b, double c)
{
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

const std::vector<ObjCase>& obj_cases()
{
    static const std::vector<ObjCase> cases = make_cases();
    return cases;
}

std::string first_vertex_text(const Model& model)
{
    const ModelVertex& v = model.vertices.at(0);
    return format_numbers("%g %g %g", v.position.x, v.position.y, v.position.z) + " / " +
           format_numbers("%g %g", v.u, v.v, 0) + " / " + format_numbers("%g %g %g", v.normal.x, v.normal.y, v.normal.z);
}

std::string box_text(const Model& model)
{
    const Body& box = model.box;
    return format_numbers("%g %g %g", box.position.x, box.position.y, box.position.z) + " / " +
           format_numbers("%g %g %g", box.half.x, box.half.y, box.half.z);
}

std::string submeshes_text(const Model& model)
{
    std::string text;
    for (const Submesh& submesh : model.submeshes)
        text += (text.empty() ? "" : " ") + submesh.name + ":" + std::to_string(submesh.count);
    return text;
}
