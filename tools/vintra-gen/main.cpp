// vintra-gen [DIR]: writes the show's whole data set into DIR (default ./vintra).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
                 "usage: vintra-gen [DIR]\n"
                 "Writes the show's data set (pictures, lists, camera paths, models, music)\n"
                 "into DIR, "
                 "default ./vintra, and marks it complete with DIR/.complete.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string root = "./vintra";
    if (argc > 2) {
        usage(stderr);
        return 2;
    }
    if (argc == 2) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (argv[1][0] == '-' || argv[1][0] == '\0') {
            usage(stderr);
            return 2;
        }
        root = argv[1];
    }
    gen::Generator generator(root, kProducers);
    generator.setThreads(2);
    generator.setProgress(true);
    if (!generator.run()) {
        std::fprintf(stderr, "vintra-gen: %s\n", generator.error().c_str());
        return 1;
    }
    std::fprintf(stderr, "vintra-gen: wrote %zu files (%.1f MB) to %s\n", generator.filesWritten(),
                 generator.bytesWritten() / 1e6, root.c_str());
    return 0;
}
