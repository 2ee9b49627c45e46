// The glyph designs. Each block lists its characters and then the eight
// rows of their cells from top to bottom, one space between glyphs. Capitals
// and digits stand on row 6 and are seven rows tall; lower case is five rows
// tall with ascenders to row 0; descenders raise the bowl one row and use
// rows 6 and 7.
#include "assetgen/font.h"

#include <cstring>

#include "base/fatal_error.h"

namespace gen {

namespace {

struct GlyphBlock {
    const char* characters;
    const char* rows[8];
};

const GlyphBlock BLOCKS[] = {
    {" !\"#$%&'",
     {"..... # ## .#.#. ..#.. ##... .##.. #",
      "..... # ## .#.#. .#### ##..# #..#. #",
      "..... # .. ##### #.#.. ...#. #.#.. .",
      "..... # .. .#.#. .###. ..#.. .#... .",
      "..... # .. ##### ..#.# .#... #.#.# .",
      "..... . .. .#.#. ####. #..## #..#. .",
      "..... # .. .#.#. ..#.. ...## .##.# .",
      "..... . .. ..... ..... ..... ..... ."}},
    {"()*+,-./",
     {".# #. ..... ..... .. .... . ....#",
      "#. .# ..#.. ..#.. .. .... . ....#",
      "#. .# #.#.# ..#.. .. .... . ...#.",
      "#. .# .###. ##### .. #### . ..#..",
      "#. .# #.#.# ..#.. .. .... . .#...",
      "#. .# ..#.. ..#.. .# .... . #....",
      ".# #. ..... ..... .# .... # #....",
      ".. .. ..... ..... #. .... . ....."}},
    {"01234567",
     {".###. .#. .###. ##### ...#. ##### ..##. #####",
      "#...# ##. #...# ...#. ..##. #.... .#... ....#",
      "#..## .#. ....# ..#.. .#.#. ####. #.... ...#.",
      "#.#.# .#. ...#. ...#. #..#. ....# ####. ..#..",
      "##..# .#. ..#.. ....# ##### ....# #...# .#...",
      "#...# .#. .#... #...# ...#. #...# #...# .#...",
      ".###. ### ##### .###. ...#. .###. .###. .#...",
      "..... ... ..... ..... ..... ..... ..... ....."}},
    {"89:;<=>?",
     {".###. .###. . .. ...# .... #... .###.",
      "#...# #...# . .. ..#. .... .#.. #...#",
      "#...# #...# # .# .#.. #### ..#. ....#",
      ".###. .#### . .. #... .... ...# ...#.",
      "#...# ....# . .. .#.. #### ..#. ..#..",
      "#...# ...#. . .# ..#. .... .#.. .....",
      ".###. .##.. # .# ...# .... #... ..#..",
      "..... ..... . #. .... .... .... ....."}},
    {"@ABCDEFG",
     {".###. .###. ####. .###. ####. ##### ##### .###.",
      "#...# #...# #...# #...# #...# #.... #.... #...#",
      "#.### #...# #...# #.... #...# #.... #.... #....",
      "#.#.# ##### ####. #.... #...# ####. ####. #.###",
      "#.### #...# #...# #.... #...# #.... #.... #...#",
      "#.... #...# #...# #...# #...# #.... #.... #...#",
      ".###. #...# ####. .###. ####. ##### #.... .####",
      "..... ..... ..... ..... ..... ..... ..... ....."}},
    {"HIJKLMNO",
     {"#...# ### ..### #...# #... #...# #...# .###.",
      "#...# .#. ...#. #..#. #... ##.## #...# #...#",
      "#...# .#. ...#. #.#.. #... #.#.# ##..# #...#",
      "##### .#. ...#. ##... #... #.#.# #.#.# #...#",
      "#...# .#. ...#. #.#.. #... #...# #..## #...#",
      "#...# .#. #..#. #..#. #... #...# #...# #...#",
      "#...# ### .##.. #...# #### #...# #...# .###.",
      "..... ... ..... ..... .... ..... ..... ....."}},
    {"PQRSTUVW",
     {"####. .###. ####. .#### ##### #...# #...# #...#",
      "#...# #...# #...# #.... ..#.. #...# #...# #...#",
      "#...# #...# #...# #.... ..#.. #...# #...# #...#",
      "####. #...# ####. .###. ..#.. #...# #...# #.#.#",
      "#.... #.#.# #.#.. ....# ..#.. #...# #...# #.#.#",
      "#.... #..#. #..#. ....# ..#.. #...# .#.#. #.#.#",
      "#.... .##.# #...# ####. ..#.. .###. ..#.. .#.#.",
      "..... ..... ..... ..... ..... ..... ..... ....."}},
    {"XYZ[\\]^_",
     {"#...# #...# ##### ## #.... ## .#. .....",
      "#...# #...# ....# #. #.... .# #.# .....",
      ".#.#. .#.#. ...#. #. .#... .# ... .....",
      "..#.. ..#.. ..#.. #. ..#.. .# ... .....",
      ".#.#. ..#.. .#... #. ...#. .# ... .....",
      "#...# ..#.. #.... #. ....# .# ... .....",
      "#...# ..#.. ##### ## ....# ## ... .....",
      "..... ..... ..... .. ..... .. ... #####"}},
    {"`abcdefg",
     {"#. .... #... .... ...# .... ..## ....",
      ".# .... #... .... ...# .... .#.. ....",
      ".. .##. ###. .### .### .##. ###. .###",
      ".. ...# #..# #... #..# #..# .#.. #..#",
      ".. .### #..# #... #..# #### .#.. #..#",
      ".. #..# #..# #... #..# #... .#.. .###",
      ".. .### ###. .### .### .### .#.. ...#",
      ".. .... .... .... .... .... .... ###."}},
    {"hijklmno",
     {"#... # ..# #... #. ..... .... ....",
      "#... . ... #... #. ..... .... ....",
      "###. # ..# #..# #. ####. ###. .##.",
      "#..# # ..# #.#. #. #.#.# #..# #..#",
      "#..# # ..# ##.. #. #.#.# #..# #..#",
      "#..# # ..# #.#. #. #.#.# #..# #..#",
      "#..# # #.# #..# .# #.#.# #..# .##.",
      ".... . .#. .... .. ..... .... ...."}},
    {"pqrstuvw",
     {".... .... .... .... .#. .... ..... .....",
      ".... .... .... .... .#. .... ..... .....",
      "###. .### #.## .### ### #..# #...# #...#",
      "#..# #..# ##.. #... .#. #..# #...# #...#",
      "#..# #..# #... .##. .#. #..# .#.#. #.#.#",
      "###. .### #... ...# .#. #..# .#.#. #.#.#",
      "#... ...# #... ###. ..# .### ..#.. .#.#.",
      "#... ...# .... .... ... .... ..... ....."}},
    {"xyz{|}~",
     {"..... .... .... ..# # #.. .....",
      "..... .... .... .#. # .#. .....",
      "#...# #..# #### .#. # .#. .#...",
      ".#.#. #..# ..#. #.. # ..# #.#.#",
      "..#.. #..# .#.. .#. # .#. ...#.",
      ".#.#. .### #... .#. # .#. .....",
      "#...# ...# #### ..# # #.. .....",
      "..... ###. .... ... # ... ....."}},
};

// Splits one block into glyphs, checking that every row has a token for
// each character and that a glyph's rows are equally wide.
void add_block(const GlyphBlock& block, std::vector<Glyph>& glyphs)
{
    const size_t count = std::strlen(block.characters);
    std::vector<Glyph> parsed(count);
    for (size_t i = 0; i < count; i++)
        parsed[i].character = block.characters[i];
    for (int row = 0; row < 8; row++) {
        const std::string line = block.rows[row];
        size_t start = 0;
        for (size_t i = 0; i < count; i++) {
            size_t end = line.find(' ', start);
            if (end == std::string::npos)
                end = line.size();
            if (start >= line.size() || end == start)
                fatal_errorf("font design: row %d of block \"%s\" has too few glyphs", row, block.characters);
            parsed[i].rows.push_back(line.substr(start, end - start));
            start = end + 1;
        }
        if (start < line.size())
            fatal_errorf("font design: row %d of block \"%s\" has too many glyphs", row, block.characters);
    }
    for (Glyph& glyph : parsed)
        glyphs.push_back(glyph);
}

void check_glyph(const Glyph& glyph)
{
    const size_t width = glyph.rows[0].size();
    if (width < 1 || width > 8)
        fatal_errorf("font design: '%c' is %zu columns wide", glyph.character, width);
    for (const std::string& row : glyph.rows) {
        if (row.size() != width)
            fatal_errorf("font design: '%c' has rows of different widths", glyph.character);
        if (row.find_first_not_of("#.") != std::string::npos)
            fatal_errorf("font design: '%c' has a character other than '#' and '.'", glyph.character);
    }
    if (glyph.character == ' ')
        return;  // the one blank glyph
    for (size_t x = 0; x < width; x++) {
        bool inked = false;
        for (const std::string& row : glyph.rows)
            inked = inked || row[x] == '#';
        if (!inked)
            fatal_errorf("font design: column %zu of '%c' is empty, so its width would be cut there", x,
                         glyph.character);
    }
}

std::vector<Glyph> build_glyphs()
{
    std::vector<Glyph> glyphs;
    for (const GlyphBlock& block : BLOCKS)
        add_block(block, glyphs);
    if (glyphs.size() != 95)
        fatal_errorf("font design: %zu glyphs instead of 95", glyphs.size());
    for (size_t i = 0; i < glyphs.size(); i++) {
        if (glyphs[i].character != (char)(32 + i))
            fatal_errorf("font design: glyph %zu is '%c', expected '%c'", i, glyphs[i].character, (char)(32 + i));
        check_glyph(glyphs[i]);
    }
    return glyphs;
}

}  // namespace

const std::vector<Glyph>& font_glyphs()
{
    static const std::vector<Glyph> glyphs = build_glyphs();
    return glyphs;
}

int design_width(const Glyph& glyph)
{
    return (int)glyph.rows[0].size();
}

}  // namespace gen
