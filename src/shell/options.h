// The program's command line: window mode, data directory, fixed frame step, the range of
// show time to play and the offline modes (a still frame, a benchmark run, a recording).
#pragma once

#include <string>
#include <vector>

// The smallest --size side, and the largest --size picture: 8K UHD.
inline constexpr int kMinOutputSide = 16;
inline constexpr int kMaxOutputWidth = 7680;
inline constexpr int kMaxOutputHeight = 4320;
// Samples a pixel where multisampling is on by default, and the most --samples takes.
inline constexpr int kDefaultSamples = 4;
inline constexpr int kMaxSamples = 16;
// The lines of picture from which offline pictures are multisampled by default.
inline constexpr int kSampledPictureLines = 1080;

struct Options {
    bool windowed = false;
    bool fullscreen = false;
    bool modeSwitch = false;  // fullscreen switches the display to 800 × 600
    std::string dataDirectory;
    double framesPerSecond = 0;  // 0: the real-time clock
    bool shot = false;
    double shotTime = 0;  // the last --shot given
    std::string shotFile;
    struct Shot {
        double time;
        std::string file;
    };
    std::vector<Shot> shots;  // every --shot, in the order given
    bool bench = false;
    std::string chartFile;  // --bench: frame times as an SVG chart
    std::string csvFile;    // --bench: one row per frame
    bool capture = false;
    std::string captureFile;
    bool hasSize = false;  // --size WxH: the offline frame's size, the picture letterboxed
    int outputWidth = 800;
    int outputHeight = 600;
    bool hasFrom = false;
    double from = 0;  // show time of the first frame
    bool hasTo = false;
    double to = 185;     // the first frame after it ends the show
    bool watch = false;  // read a list file again when it is saved
    bool hasLoop = false;
    double loopStart = 0;  // --loop: show time A to B over and over
    double loopEnd = 0;
    bool schedule = false;      // print every timeline entry in show order and exit
    std::string svgFile;        // --schedule: the schedule drawn as an SVG instead
    bool check = false;         // read the whole data set, list every problem and exit
    bool glesRenderer = false;  // --renderer gles: our GL layer on OpenGL ES 3.0
    int samples = -1;           // --samples N a pixel, 0 off; -1: the mode's default
    bool help = false;
    bool version = false;

    // --shot with a window (--windowed, --fullscreen or --loop): the stills are taken from
    // the frames the window shows.
    bool windowShots() const { return shot && (windowed || fullscreen || hasLoop); }
    // --shot, --bench, --capture and --schedule run without a display, a dialog or a person.
    bool offline() const { return (shot && !windowShots()) || bench || capture || schedule; }
    // Show time of the first frame: --from, else the loop's start, else 0 for a recording
    // (the 4-second lead-in is silent and empty), else the lead-in's -4 s.
    double startTime() const;
    // Offline modes always step the clock; --fps alone steps it too.
    double fixedStep() const;
    // Samples a pixel for the picture: --samples, else the mode's default. Offline, 4 where
    // the 4:3 picture is 1080 lines or more (a 1920 x 1080 frame and up, where a viewer
    // of a video sees the steps) and none below; a window 4, which its maker leaves out
    // on a software rasteriser unless --samples asked for them.
    int pictureSamples() const;
};

// False with a one-line message in `error` for an unknown or malformed option or a
// combination that cannot run. GNU forms: --opt=value, --opt value, unambiguous prefixes, --.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

// The --help text: options, keys, exit statuses, environment and the data set's places.
std::string usageText();
