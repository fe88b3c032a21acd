// vintra-gen [DIR]: writes the show's whole data set into DIR (default ./vintra).
#include <getopt.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/revision.h"
#include "vintra-gen/generator.h"
#include "vintra-gen/producers.h"

namespace {

// Every part of the data set, most expensive first so two threads finish together.
// A new part (a function taking gen::OutputDirectory&) is one more line here.
const std::vector<gen::Producer> kProducers = {
    {"soundtrack", gen::produceSoundtrack},
    {"models", gen::produceAllModels},
    {"scratch frames", gen::produceScratchFrames},
    {"graffiti", gen::produceGraffiti},
    {"character frames", gen::produceNickFrames},
    {"background tags", gen::produceBackTags},
    {"front tags", gen::produceFrontTags},
    {"crew", gen::produceCrew},
    {"information texts", gen::produceInfoTexts},
    {"loading screens", gen::produceLoadingScreens},
    {"noise textures", gen::produceNoiseTextures},
    {"model textures", gen::produceModelTextures},
    {"flashes", gen::produceFlashes},
    {"cameras", gen::produceCameras},
};

void usage(FILE* to) {
    std::fprintf(to,
                 "Usage: vintra-gen [OPTION]... [DIR]\n"
                 "Writes the show's data set (pictures, lists, camera paths, models, music)\n"
                 "into DIR, default ./vintra, and marks it complete with DIR/.complete.\n"
                 "Play it with 'tarvel --data PARENT', PARENT being the directory that holds\n"
                 "DIR (named vintra).\n"
                 "\n"
                 "  -h, --help     this text\n"
                 "      --version  the version and source revision\n"
                 "\n"
                 "Exit status: 0 when written, 1 when it could not be, 2 for a bad option.\n");
}

int usageError(const std::string& message) {
    std::fprintf(stderr, "vintra-gen: %s\nTry 'vintra-gen --help'.\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const option longOptions[] = {
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    int result = 0;
    while ((result = getopt_long(argc, argv, "h", longOptions, nullptr)) != -1) {
        if (result == 'h') {
            usage(stdout);
            return 0;
        }
        if (result == 'V') {
            std::printf("vintra-gen %s (%s)\n", TARVEL_VERSION, TARVEL_REVISION);
            return 0;
        }
        return usageError(std::string("unknown option ") + argv[optind - 1]);
    }
    if (argc - optind > 1) {
        return usageError(std::string("unexpected argument ") + argv[optind + 1]);
    }
    const std::string root = optind < argc ? argv[optind] : "./vintra";
    if (root.empty()) {
        return usageError("the directory name is empty");
    }
    gen::Generator generator(root, kProducers);
    generator.setThreads(2);
    // A progress line that rewrites itself is for a person watching, not for a log.
    generator.setProgress(isatty(STDERR_FILENO));
    if (!generator.run()) {
        std::fprintf(stderr, "vintra-gen: %s\n", generator.error().c_str());
        return 1;
    }
    std::fprintf(stderr, "vintra-gen: wrote %zu files (%.1f MB) to %s\n", generator.filesWritten(),
                 generator.bytesWritten() / 1e6, root.c_str());
    return 0;
}
