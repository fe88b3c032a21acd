#include "shell/options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <getopt.h>
#include <strings.h>

#include "shell/key_help.h"

namespace {

bool parseNumber(const char* text, double& value) {
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && end && *end == '\0' && std::isfinite(value);
}

bool checkLoop(const Options& options, std::string& error) {
    if (options.offline()) {
        error = "--loop plays in the window; it excludes --bench and --capture";
    } else if (options.hasTo) {
        error = "--loop and --to exclude each other";
    } else if (options.loopStart < -4 || options.loopEnd > 185 ||
               options.loopEnd <= options.loopStart) {
        error = "--loop needs A < B within the show (-4 to 185 s)";
    } else if (options.hasFrom && options.from >= options.loopEnd) {
        error = "--from must be before the end of the loop";
    } else {
        return true;
    }
    return false;
}

bool checkRange(const Options& options, std::string& error) {
    if ((!options.chartFile.empty() || !options.csvFile.empty()) && !options.bench) {
        error = "--chart and --csv go with --bench";
    } else if (options.hasSize && !options.offline()) {
        error = "--size goes with --shot, --capture or --bench";
    } else if (options.capture && options.captureFile.empty()) {
        error = "--capture needs a file name";
    } else if (options.hasFrom && options.from >= 185) {
        error = "--from must be before the end of the show (185 s)";
    } else if (options.hasLoop && !checkLoop(options, error)) {
        return false;
    } else if (options.hasTo && options.to <= options.startTime()) {
        error = "--to must come after the start of the show";
    } else {
        return true;
    }
    return false;
}

// A still frame the show will reach, into a PNG file.
bool checkShot(const Options& options, const Options::Shot& shot, std::string& error) {
    const std::string& file = shot.file;
    const std::string extension = file.size() > 4 ? file.substr(file.size() - 4) : "";
    if (strcasecmp(extension.c_str(), ".png") != 0) {
        error = "--shot writes a PNG: the file name must end in .png (" + file + ")";
    } else if (shot.time >= 185 || shot.time < -4) {
        error = "--shot needs a show time within the show (-4 to 185 s)";
    } else if (shot.time < options.startTime() &&
               !(options.hasLoop && options.loopStart <= shot.time &&
                 shot.time < options.loopEnd)) {
        error = "--shot's time comes before --from";
    } else if (options.hasTo && shot.time >= options.to) {
        error = "--shot's time comes after --to";
    } else {
        return true;
    }
    return false;
}

// Every still frame is one the show will reach, into a PNG file.
bool checkShots(const Options& options, std::string& error) {
    for (const auto& shot : options.shots) {
        if (!checkShot(options, shot, error)) {
            return false;
        }
    }
    return true;
}

// --svg draws the schedule; --check reads the data set and nothing else.
bool checkScheduleAndCheck(const Options& options, std::string& error) {
    if (!options.svgFile.empty() && !options.schedule) {
        error = "--svg goes with --schedule";
        return false;
    }
    const bool playing = options.windowed || options.fullscreen || options.modeSwitch ||
                         options.framesPerSecond > 0 || options.offline() || options.hasSize ||
                         options.hasFrom || options.hasTo || options.watch || options.hasLoop;
    if (options.check && playing) {
        error = "--check reads the data set and plays nothing: it goes with --data alone";
        return false;
    }
    return true;
}

}  // namespace

double Options::startTime() const {
    if (hasFrom)
        return from;
    if (hasLoop)
        return loopStart;
    return capture ? 0.0 : -4.0;
}

double Options::fixedStep() const {
    if (framesPerSecond > 0)
        return 1.0 / framesPerSecond;
    return offline() ? 1.0 / 60.0 : 0.0;
}

int Options::pictureSamples() const {
    if (samples >= 0) {
        return samples;
    }
    if (!offline()) {
        return kDefaultSamples;
    }
    const int pictureLines = std::min(outputHeight, outputWidth * 3 / 4);
    return pictureLines >= kSampledPictureLines ? kDefaultSamples : 0;
}

namespace {

enum OptionId {
    kWindowed = 256,
    kFullscreen,
    kData,
    kFps,
    kShot,
    kBench,
    kChart,
    kCsv,
    kCapture,
    kFrom,
    kTo,
    kWatch,
    kLoop,
    kSchedule,
    kSize,
    kModeSwitch,
    kVersion,
    kSvg,
    kCheck,
    kRenderer,
    kSamples,
};

const option kLongOptions[] = {
    {"windowed", no_argument, nullptr, kWindowed},
    {"fullscreen", no_argument, nullptr, kFullscreen},
    {"mode-switch", no_argument, nullptr, kModeSwitch},
    {"data", required_argument, nullptr, kData},
    {"fps", required_argument, nullptr, kFps},
    {"shot", required_argument, nullptr, kShot},
    {"size", required_argument, nullptr, kSize},
    {"bench", no_argument, nullptr, kBench},
    {"chart", required_argument, nullptr, kChart},
    {"csv", required_argument, nullptr, kCsv},
    {"capture", required_argument, nullptr, kCapture},
    {"from", required_argument, nullptr, kFrom},
    {"to", required_argument, nullptr, kTo},
    {"watch", no_argument, nullptr, kWatch},
    {"loop", required_argument, nullptr, kLoop},
    {"schedule", no_argument, nullptr, kSchedule},
    {"svg", required_argument, nullptr, kSvg},
    {"check", no_argument, nullptr, kCheck},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"renderer", required_argument, nullptr, kRenderer},
    {"samples", required_argument, nullptr, kSamples},
    {nullptr, 0, nullptr, 0},
};

// --shot and --loop take two values: the second is the next word, unless that is an option.
const char* takeSecondValue(int argc, char** argv) {
    if (optind < argc && argv[optind][0] != '-') {
        return argv[optind++];
    }
    return nullptr;
}

bool parseSize(const char* text, Options& options) {
    int width = 0;
    int height = 0;
    char tail = 0;
    if (std::sscanf(text, "%dx%d%c", &width, &height, &tail) != 2 || width < kMinOutputSide ||
        height < kMinOutputSide || width > kMaxOutputWidth || height > kMaxOutputHeight) {
        return false;
    }
    options.outputWidth = width;
    options.outputHeight = height;
    options.hasSize = true;
    return true;
}

// One option with its value(s); false with a message for a malformed value.
bool applyOption(int id, int argc, char** argv, Options& options, std::string& error) {
    switch (id) {
        case kWindowed:
            options.windowed = true;
            return true;
        case kFullscreen:
            options.fullscreen = true;
            return true;
        case kModeSwitch:
            options.modeSwitch = true;
            return true;
        case kData:
            options.dataDirectory = optarg;
            return true;
        case kFps:
            if (!parseNumber(optarg, options.framesPerSecond) || options.framesPerSecond <= 0 ||
                options.framesPerSecond > 10000) {
                error = "--fps needs a number of frames per second above 0";
                return false;
            }
            return true;
        case kShot: {
            const char* file = takeSecondValue(argc, argv);
            if (!parseNumber(optarg, options.shotTime) || !file) {
                error = "--shot needs a show time in seconds and a FILE.png";
                return false;
            }
            options.shotFile = file;
            options.shots.push_back({options.shotTime, options.shotFile});
            options.shot = true;
            return true;
        }
        case kSize:
            if (!parseSize(optarg, options)) {
                error = "--size needs WIDTHxHEIGHT, each at least " +
                        std::to_string(kMinOutputSide) + ", at most " +
                        std::to_string(kMaxOutputWidth) + "x" + std::to_string(kMaxOutputHeight);
                return false;
            }
            return true;
        case kBench:
            options.bench = true;
            return true;
        case kChart:
            options.chartFile = optarg;
            return true;
        case kCsv:
            options.csvFile = optarg;
            return true;
        case kCapture:
            options.captureFile = optarg;
            options.capture = true;
            return true;
        case kFrom:
        case kTo:
            if (!parseNumber(optarg, id == kFrom ? options.from : options.to)) {
                error =
                    std::string(id == kFrom ? "--from" : "--to") + " needs a show time in seconds";
                return false;
            }
            (id == kFrom ? options.hasFrom : options.hasTo) = true;
            return true;
        case kWatch:
            options.watch = true;
            return true;
        case kLoop: {
            const char* end = takeSecondValue(argc, argv);
            if (!parseNumber(optarg, options.loopStart) || !end ||
                !parseNumber(end, options.loopEnd)) {
                error = "--loop needs two show times in seconds";
                return false;
            }
            options.hasLoop = true;
            return true;
        }
        case kSchedule:
            options.schedule = true;
            return true;
        case kSvg:
            options.svgFile = optarg;
            return true;
        case kCheck:
            options.check = true;
            return true;
        case 'h':
            options.help = true;
            return true;
        case kVersion:
            options.version = true;
            return true;
        case kRenderer:
            if (std::strcmp(optarg, "gl") != 0 && std::strcmp(optarg, "gles") != 0) {
                error = "--renderer needs gl or gles";
                return false;
            }
            options.glesRenderer = std::strcmp(optarg, "gles") == 0;
            return true;
        case kSamples: {
            double samples = -1;
            if (!parseNumber(optarg, samples) || samples < 0 || samples > kMaxSamples ||
                samples != std::floor(samples)) {
                error = "--samples needs a whole number of samples a pixel from 0 (off) to " +
                        std::to_string(kMaxSamples);
                return false;
            }
            options.samples = static_cast<int>(samples);
            return true;
        }
        default:
            return false;
    }
}

// getopt's own complaints, as one line.
std::string getoptError(int result, char** argv) {
    const std::string word = argv[optind - 1] ? argv[optind - 1] : "";
    if (result == ':') {
        return "option " + word + " needs a value";
    }
    if (optopt != 0 && optopt < 256) {
        return std::string("unknown option -") + static_cast<char>(optopt);
    }
    return "unknown or ambiguous option " + word;
}

}  // namespace

bool parseOptions(int argc, char** argv, Options& options, std::string& error) {
    optind = 0;  // a fresh scan, also when called more than once
    opterr = 0;
    int result = 0;
    while ((result = getopt_long(argc, argv, ":h", kLongOptions, nullptr)) != -1) {
        if (result == '?' || result == ':') {
            error = getoptError(result, argv);
            return false;
        }
        if (!applyOption(result, argc, argv, options, error)) {
            return false;
        }
    }
    if (optind < argc) {
        error = std::string("unexpected argument ") + argv[optind];
        return false;
    }
    if (options.help || options.version) {
        return true;
    }
    if (options.windowed && options.fullscreen) {
        error = "--windowed and --fullscreen exclude each other";
        return false;
    }
    if (options.shot + options.bench + options.capture + options.schedule > 1) {
        error = "--shot, --bench, --capture and --schedule exclude each other";
        return false;
    }
    return checkRange(options, error) && checkShots(options, error) &&
           checkScheduleAndCheck(options, error);
}

std::string usageText() {
    static const char* const kBeforeKeys =
        "Usage: tarvel [OPTION]...\n"
        "Plays the show: a 185-second track on a 125 BPM clock with pictures in step.\n"
        "\n"
        "Display:\n"
        "  --windowed            play in a window (skips the start-up dialog)\n"
        "  --fullscreen          play fullscreen (skips the start-up dialog)\n"
        "  --mode-switch         go fullscreen by changing the display mode to 800x600\n"
        "  --data=DIR            use the data set in DIR (the directory holding vintra/)\n"
        "  --renderer=gl|gles    draw through the system's GL (default) or through our\n"
        "                        GL layer on OpenGL ES 3.0\n"
        "  --samples=N           multisample every edge with N samples a pixel, 0 for\n"
        "                        none (default 4 in a window, but none on a software\n"
        "                        rasteriser; offline 4 from 1920x1080 up, none below)\n"
        "\n"
        "Clock and range:\n"
        "  --fps=N               fixed clock: every frame advances show time by 1/N s\n"
        "  --from=T, --to=T      start the show at show time T / end it at T (seconds)\n"
        "\n"
        "Offline (no display needed):\n"
        "  --shot T FILE.png     write the frame at show time T (repeatable)\n"
        "  --capture=FILE        record the show with its music (.mp4, .mkv, .webm), as\n"
        "                        pictures numbered by frame (NAME%05d.png) with a .wav,\n"
        "                        or only the sound (.wav)\n"
        "  --bench               render the show as fast as possible, print frame times\n"
        "  --chart=FILE.svg      with --bench: chart the frame times over show time\n"
        "  --csv=FILE            with --bench: one row per frame\n"
        "  --size=WxH            picture size of --shot, --capture, --bench (default 800x600)\n"
        "  --schedule            print every timeline entry in show order and exit\n"
        "  --svg=FILE.svg        with --schedule: draw it instead, over the music's loudness\n"
        "\n"
        "Data set:\n"
        "  --check               read the whole data set, name every problem, exit 1 if\n"
        "                        any (without a display)\n"
        "\n"
        "Authoring (in a window, so with a display):\n"
        "  --watch               read a list file again when it is saved\n"
        "  --loop A B            play show time A to B over and over\n"
        "\n"
        "  -h, --help            this text\n"
        "      --version         the version and source revision\n"
        "\n";
    static const char* const kAfterKeys =
        "\n"
        "The data set is the first of: --data DIR; $TARVEL_DATA; ./vintra in the current\n"
        "directory; data/ beside the program in its build tree; share/tarvel under the\n"
        "program's prefix; tarvel/ in $XDG_DATA_HOME and $XDG_DATA_DIRS. Make one with\n"
        "'vintra-gen DIR/vintra'. Output files are named relative to the directory\n"
        "tarvel was started in.\n"
        "\n"
        "Environment: TARVEL_DATA, XDG_DATA_HOME, XDG_DATA_DIRS; DISPLAY or\n"
        "WAYLAND_DISPLAY (with neither, the show is recorded to ./tarvel.mp4, and\n"
        "--windowed, --fullscreen, --loop and --watch are refused).\n"
        "\n"
        "Exit status: 0 at the end of the show or on quit; 1 on a failure (no data set,\n"
        "no GL context, a file that cannot be written, a problem --check found); 2 for a\n"
        "bad option or a window asked for without a display; 255 on Cancel in the\n"
        "start-up dialog or when the log window is closed.\n";
    return kBeforeKeys + KeyHelp::describe(KeyHelp::Format::Terminal) + kAfterKeys;
}
