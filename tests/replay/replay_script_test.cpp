// How the replay interpreter reads its lines: what it refuses (exit status 2
// and a message naming the line) and the forms it accepts.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "replay/replay_script.h"
#include "support/fixture_models.h"
#include "world/noise.h"
#include "world/ores.h"

namespace {

FILE* file_holding(const std::string& text)
{
    FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    return file;
}

std::string run_script(const std::string& text)
{
    FILE* script = file_holding(text);
    FILE* out = std::tmpfile();
    run_replay_script(script, "test.txt", out);
    std::rewind(out);
    std::string printed;
    int c;
    while ((c = std::fgetc(out)) != EOF)
        printed.push_back((char)c);
    std::fclose(script);
    std::fclose(out);
    return printed;
}

// The literal text as an extended regular expression.
std::string literal(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

class ReplayScript : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        load_fixture_ore_models();
        noise_init();
        place_ores();
    }
};

struct BadLine {
    const char* script;
    int line;
    const char* reason;  // the start of the reason the message gives
    const char* shown;   // the line as the message shows it
};

const BadLine BAD_LINES[] = {
    {"fly away\n", 1, "unknown command", "fly away"},
    {"Run 5\n", 1, "unknown command", "Run 5"},
    {"run\n", 1, "expected run N", "run"},
    {"run -1\n", 1, "expected run N", "run -1"},
    {"run 1.5\n", 1, "expected run N", "run 1.5"},
    {"run 5x\n", 1, "expected run N", "run 5x"},
    {"run 2147483648\n", 1, "expected run N", "run 2147483648"},
    {"run 99999999999999999999999\n", 1, "expected run N", "run 99999999999999999999999"},
    {"run 5 6\n", 1, "expected run N", "run 5 6"},
    {"tick ten\n", 1, "expected tick N", "tick ten"},
    {"key down Q\n", 1, "expected key down NAME", "key down Q"},
    {"key down w\n", 1, "expected key down NAME", "key down w"},
    {"key press W\n", 1, "expected key down NAME", "key press W"},
    {"key down\n", 1, "expected key down NAME", "key down"},
    {"key up W W\n", 1, "expected key down NAME", "key up W W"},
    {"mouse 1\n", 1, "expected mouse DX DY", "mouse 1"},
    {"mouse 1 2 3\n", 1, "expected mouse DX DY", "mouse 1 2 3"},
    {"mouse 0.5 0\n", 1, "expected mouse DX DY", "mouse 0.5 0"},
    {"mouse 2147483648 0\n", 1, "expected mouse DX DY", "mouse 2147483648 0"},
    {"mouse 0 -2147483649\n", 1, "expected mouse DX DY", "mouse 0 -2147483649"},
    {"click twice\n", 1, "expected click alone", "click twice"},
    {"print\n", 1, "expected print player", "print"},
    {"print everything\n", 1, "expected print player", "print everything"},
    {"print player now\n", 1, "expected print player", "print player now"},
    {"print ore\n", 1, "expected print ore I", "print ore"},
    {"print ore 512\n", 1, "expected print ore I", "print ore 512"},
    {"print ore -1\n", 1, "expected print ore I", "print ore -1"},
    {"print height 1\n", 1, "expected print height X Z", "print height 1"},
    {"print height nan 0\n", 1, "expected print height X Z", "print height nan 0"},
    {"print height 0 inf\n", 1, "expected print height X Z", "print height 0 inf"},
    {"print height 1e10 0\n", 1, "expected print height X Z", "print height 1e10 0"},
    {"print height 1e999 0\n", 1, "expected print height X Z", "print height 1e999 0"},
    {"print height 3x 0\n", 1, "expected print height X Z", "print height 3x 0"},
    // Numbering counts comments, blank lines and CR LF endings; the shown
    // text loses the CR, and bytes a terminal cannot show become '?'.
    {"# a comment\n\nprint state\nfly\n", 4, "unknown command", "fly"},
    {"print state\r\nrun 1\r\nfly\r\n", 3, "unknown command", "fly"},
    {"run 1\nfly\x01\xff away", 2, "unknown command", "fly?? away"},
};

TEST_F(ReplayScript, EachBadLineStopsWithStatus2AndNamesTheLine)
{
    for (const BadLine& bad : BAD_LINES) {
        SCOPED_TRACE(bad.script);
        const std::string message = "test\\.txt, line " + std::to_string(bad.line) + ": " + literal(bad.reason) +
                                    ".*: " + literal(bad.shown) + "\n";
        EXPECT_EXIT(run_script(bad.script), ::testing::ExitedWithCode(2), message);
    }
}

TEST_F(ReplayScript, AcceptsSpacingCommentsAndAnUnterminatedLastLine)
{
    const std::string printed = run_script(
        "\n"
        "# comment\n"
        "   \t# indented comment\n"
        "print state\r\n"
        "\t print \t state  \n"
        "run 0\n"
        "tick 0\n"
        "mouse +0 -0\n"
        "print state");
    EXPECT_EQ(printed, "state 0 0 0 0 0 0 1\nstate 0 0 0 0 0 0 1\nstate 0 0 0 0 0 0 1\n");
}

TEST_F(ReplayScript, AnEmptyScriptPrintsNothing)
{
    EXPECT_EQ(run_script(""), "");
}

TEST_F(ReplayScript, PrintedCoordinatesReadBackExactly)
{
    // %.9g is enough digits for every float to read back as itself.
    const std::string printed = run_script("print height 0.1 -1e-7\n");
    float x = 0, z = 0, h = 0;
    ASSERT_EQ(std::sscanf(printed.c_str(), "height %g %g %g", &x, &z, &h), 3) << printed;
    EXPECT_EQ(x, 0.1f);
    EXPECT_EQ(z, -1e-7f);
    EXPECT_EQ(h, terrain_height(0.1f, -1e-7f));
}

}  // namespace
