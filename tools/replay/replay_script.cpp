// The replay script interpreter: one line, one command on the world.
#include "replay/replay_script.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/fatal_error.h"
#include "world/controls.h"
#include "world/input.h"
#include "world/mining.h"
#include "world/movement.h"
#include "world/noise.h"
#include "world/ores.h"
#include "world/tick.h"

const char* const REPLAY_SCRIPT_HELP =
    "Script commands, one a line (blank lines and lines starting with # are skipped):\n"
    "  run N              N passes of one tick followed by one frame's camera\n"
    "                     placement (the game on a 60 Hz display)\n"
    "  tick N             N ticks with no frame in between\n"
    "  key down NAME      a key press; NAME is W A S D C T or SPACE. Pressing a\n"
    "                     key that is already down acts as an auto-repeat press\n"
    "  key up NAME        a key release; the axis falls back to the other key of\n"
    "                     its axis if that one is down\n"
    "  mouse DX DY        one raw mouse motion in counts (right and toward the\n"
    "                     user are positive)\n"
    "  click              a left-button press: starts a swing unless one is on\n"
    "  print player       player px py pz vx vy vz hx hy hz\n"
    "                     (position, velocity, half-extents)\n"
    "  print camera       camera x y z pitch yaw roll\n"
    "  print ore I        ore I x y z mx my mz hits (position, marker, hits left)\n"
    "  print ores         one ore line for each deposit in table order\n"
    "  print perm         perm followed by the 512 entries of the noise table\n"
    "  print height X Z   height X Z h (the ground height at world x = X, z = Z)\n"
    "  print state        state strafe_axis forward_axis fly_mode torch_on\n"
    "                     swing_active swing_progress sun_angle\n"
    "Each printed line starts with the word printed; values are separated by\n"
    "single spaces, floats with %.9g (they read back exactly), integers and flags\n"
    "(0 or 1) as integers. Counts N and indices I are whole numbers; X and Z are\n"
    "decimal numbers within -1e9..1e9. Any other line ends the tool with exit\n"
    "status 2 and a message naming the line.\n";

namespace {

// Which keys the script holds down: a release asks this record whether the
// other key of its axis is still down, as the game asks the OS.
bool held_keys[256];

struct Line {
    const std::string& text;
    int number;
    const char* script_name;
};

// The line as it can be shown on a terminal.
std::string printable(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        if ((unsigned char)c < 32 || (unsigned char)c > 126)
            c = '?';
    return out;
}

[[noreturn]] void bad_line(const Line& line, const char* reason)
{
    std::fflush(stdout);
    std::fprintf(stderr, "%s, line %d: %s: %s\n", line.script_name, line.number, reason,
                 printable(line.text).c_str());
    std::fflush(stderr);
    std::exit(2);
}

std::vector<std::string> split_words(const std::string& text)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            i++;
        const size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\t')
            i++;
        if (i > start)
            words.push_back(text.substr(start, i - start));
    }
    return words;
}

// A whole number written in decimal digits with an optional sign, within
// lo..hi; anything else (a fraction, a suffix, an overflow) is refused.
bool parse_whole(const std::string& word, long long lo, long long hi, long long& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) {
        negative = word[i] == '-';
        i++;
    }
    if (i == word.size())
        return false;
    long long magnitude = 0;
    for (; i < word.size(); i++) {
        if (word[i] < '0' || word[i] > '9')
            return false;
        magnitude = magnitude * 10 + (word[i] - '0');
        if (magnitude > (1LL << 40))
            return false;  // far outside every range asked for
    }
    value = negative ? -magnitude : magnitude;
    return value >= lo && value <= hi;
}

// The ground height is defined for any finite input, but the noise turns its
// scaled arguments into int cells; 1e9 keeps them far inside int's range.
constexpr float COORDINATE_LIMIT = 1e9f;

bool parse_coordinate(const std::string& word, float& value)
{
    errno = 0;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return end == word.c_str() + word.size() && errno == 0 && std::isfinite(value) &&
           std::fabs(value) <= COORDINATE_LIMIT;
}

int key_of(const std::string& name)
{
    if (name == "W") return KEY_W;
    if (name == "A") return KEY_A;
    if (name == "S") return KEY_S;
    if (name == "D") return KEY_D;
    if (name == "C") return KEY_C;
    if (name == "T") return KEY_T;
    if (name == "SPACE") return KEY_SPACE;
    return 0;
}

void print_float(FILE* out, float value)
{
    std::fprintf(out, " %.9g", (double)value);
}

void print_vec3(FILE* out, Vec3 v)
{
    print_float(out, v.x);
    print_float(out, v.y);
    print_float(out, v.z);
}

void print_ore(FILE* out, int index)
{
    const Ore& ore = ores[index];
    std::fprintf(out, "ore %d", index);
    print_vec3(out, ore.position);
    print_vec3(out, ore.marker);
    std::fprintf(out, " %d\n", (int)ore.hits);
}

long long tick_count_of(const Line& line, const std::vector<std::string>& words, const char* usage)
{
    long long count = 0;
    if (words.size() != 2 || !parse_whole(words[1], 0, INT32_MAX, count))
        bad_line(line, usage);
    return count;
}

void run_key(const Line& line, const std::vector<std::string>& words)
{
    const char* usage = "expected key down NAME or key up NAME, NAME one of W A S D C T SPACE";
    if (words.size() != 3)
        bad_line(line, usage);
    const int key = key_of(words[2]);
    if (key == 0)
        bad_line(line, usage);
    if (words[1] == "down") {
        held_keys[key] = true;
        key_pressed(key);
    } else if (words[1] == "up") {
        held_keys[key] = false;
        const int partner = axis_partner(key);
        key_released(key, partner != 0 && held_keys[partner]);
    } else {
        bad_line(line, usage);
    }
}

void run_print(const Line& line, const std::vector<std::string>& words, FILE* out)
{
    const std::string what = words.size() >= 2 ? words[1] : "";
    if (what == "player" && words.size() == 2) {
        std::fprintf(out, "player");
        print_vec3(out, player.position);
        print_vec3(out, player.velocity);
        print_vec3(out, player.half);
        std::fprintf(out, "\n");
    } else if (what == "camera" && words.size() == 2) {
        std::fprintf(out, "camera");
        print_vec3(out, Vec3{camera.x, camera.y, camera.z});
        print_vec3(out, Vec3{camera.pitch, camera.yaw, camera.roll});
        std::fprintf(out, "\n");
    } else if (what == "ore") {
        long long index = 0;
        if (words.size() != 3 || !parse_whole(words[2], 0, (long long)ore_count - 1, index))
            bad_line(line, "expected print ore I, I a deposit index from 0 to the deposit count - 1");
        print_ore(out, (int)index);
    } else if (what == "ores" && words.size() == 2) {
        for (int i = 0; i < ore_count; i++)
            print_ore(out, i);
    } else if (what == "perm" && words.size() == 2) {
        std::fprintf(out, "perm");
        for (uint8_t entry : noise_perm)
            std::fprintf(out, " %d", (int)entry);
        std::fprintf(out, "\n");
    } else if (what == "height") {
        float x = 0, z = 0;
        if (words.size() != 4 || !parse_coordinate(words[2], x) || !parse_coordinate(words[3], z))
            bad_line(line, "expected print height X Z, X and Z numbers within -1e9..1e9");
        std::fprintf(out, "height");
        print_float(out, x);
        print_float(out, z);
        print_float(out, terrain_height(x, z));
        std::fprintf(out, "\n");
    } else if (what == "state" && words.size() == 2) {
        std::fprintf(out, "state %d %d %d %d %d", (int)strafe_axis, (int)forward_axis, (int)fly_mode,
                     (int)torch_on, (int)swing_active);
        print_float(out, swing_progress);
        print_float(out, sun_angle);
        std::fprintf(out, "\n");
    } else {
        bad_line(line, "expected print player, camera, ore I, ores, perm, height X Z or state");
    }
}

}  // namespace

void run_replay_line(const std::string& text, int line_number, const char* script_name, FILE* out)
{
    const Line line{text, line_number, script_name};
    const std::vector<std::string> words = split_words(text);
    if (words.empty() || words[0][0] == '#')
        return;
    const std::string& command = words[0];
    if (command == "run") {
        const long long count = tick_count_of(line, words, "expected run N, N from 0 to 2147483647");
        for (long long i = 0; i < count; i++) {
            run_tick();
            place_camera();
        }
    } else if (command == "tick") {
        const long long count = tick_count_of(line, words, "expected tick N, N from 0 to 2147483647");
        for (long long i = 0; i < count; i++)
            run_tick();
    } else if (command == "key") {
        run_key(line, words);
    } else if (command == "mouse") {
        long long dx = 0, dy = 0;
        if (words.size() != 3 || !parse_whole(words[1], INT32_MIN, INT32_MAX, dx) ||
            !parse_whole(words[2], INT32_MIN, INT32_MAX, dy))
            bad_line(line, "expected mouse DX DY, whole numbers of counts");
        mouse_look((int32_t)dx, (int32_t)dy);
    } else if (command == "click") {
        if (words.size() != 1)
            bad_line(line, "expected click alone");
        left_button_pressed();
    } else if (command == "print") {
        run_print(line, words, out);
    } else {
        bad_line(line, "unknown command");
    }
}

void run_replay_script(FILE* script, const char* script_name, FILE* out)
{
    std::string text;
    int line_number = 0;
    int c;
    do {
        c = std::fgetc(script);
        if (c != '\n' && c != EOF) {
            text.push_back((char)c);
            continue;
        }
        if (c == EOF && text.empty())
            break;  // no unterminated last line
        line_number++;
        // Scripts saved on Windows end their lines with CR LF.
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        run_replay_line(text, line_number, script_name, out);
        text.clear();
    } while (c != EOF);

    if (std::ferror(script))
        fatal_errorf("%s: read error after line %d", script_name, line_number);
    if (std::fflush(out) != 0 || std::ferror(out))
        fatal_errorf("%s: cannot write the output", script_name);
}
