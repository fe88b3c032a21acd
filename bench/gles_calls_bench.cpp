// How many GL ES calls the GL layer makes a frame (`--renderer gles`), per section of the
// show: the program itself runs in a child process for each moment (its --bench over the
// second up to the moment), with every GL ES entry point the layer calls wrapped (the
// linker's --wrap) to count it. A frame is what lies between two buffer swaps; the last
// quarter second's frames are counted, the earlier ones having brought back the pictures
// and made the programs they met.
//   gles_calls_bench [--data DIR] [--size WxH] [--fps N] [TIME…]
// Without times it takes the show's reference moments. GLES_CALLS_TRACE=1 lists the calls
// of each moment's last frame on standard error. Calls by kind: draws (drawing and
// clearing), uniforms, state (program and fixed state), textures (binding, uploading,
// copying), buffers (vertex arrays, buffers and constant attributes), other (reading and
// framebuffers, queries, flushes).
#include <GLES3/gl3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/main_loop.h"

namespace {

enum Kind { kDraw, kUniform, kState, kTexture, kBuffer, kOther, kKindCount };
constexpr const char* kKindNames[kKindCount] = {"draws",    "uniforms", "state",
                                                "textures", "buffers",  "other"};

using Counts = std::array<long, kKindCount>;
Counts current{};
std::vector<Counts> frames;
// GLES_CALLS_TRACE=1: the calls of the largest frame counted, in order, on standard error.
const bool tracing = std::getenv("GLES_CALLS_TRACE") != nullptr;
std::vector<const char*> currentNames;
std::vector<std::vector<const char*>> frameNames;

long total(const Counts& counts) {
    long sum = 0;
    for (long n : counts) {
        sum += n;
    }
    return sum;
}

}  // namespace

// X(kind, return type, name, parameters, arguments)
#define TARVEL_COUNTED_ES_CALLS(X)                                                               \
    X(kDraw, void, glDrawArrays, (GLenum a, GLint b, GLsizei c), (a, b, c))                      \
    X(kDraw, void, glDrawElements, (GLenum a, GLsizei b, GLenum c, const void* d), (a, b, c, d)) \
    X(kDraw, void, glClear, (GLbitfield a), (a))                                                 \
    X(kUniform, void, glUniform1i, (GLint a, GLint b), (a, b))                                   \
    X(kUniform, void, glUniform1f, (GLint a, GLfloat b), (a, b))                                 \
    X(kUniform, void, glUniform4f, (GLint a, GLfloat b, GLfloat c, GLfloat d, GLfloat e),        \
      (a, b, c, d, e))                                                                           \
    X(kUniform, void, glUniform3fv, (GLint a, GLsizei b, const GLfloat* c), (a, b, c))           \
    X(kUniform, void, glUniform4fv, (GLint a, GLsizei b, const GLfloat* c), (a, b, c))           \
    X(kUniform, void, glUniformMatrix4fv, (GLint a, GLsizei b, GLboolean c, const GLfloat* d),   \
      (a, b, c, d))                                                                              \
    X(kState, void, glUseProgram, (GLuint a), (a))                                               \
    X(kState, void, glEnable, (GLenum a), (a))                                                   \
    X(kState, void, glDisable, (GLenum a), (a))                                                  \
    X(kState, void, glBlendFunc, (GLenum a, GLenum b), (a, b))                                   \
    X(kState, void, glDepthFunc, (GLenum a), (a))                                                \
    X(kState, void, glDepthMask, (GLboolean a), (a))                                             \
    X(kState, void, glColorMask, (GLboolean a, GLboolean b, GLboolean c, GLboolean d),           \
      (a, b, c, d))                                                                              \
    X(kState, void, glStencilFunc, (GLenum a, GLint b, GLuint c), (a, b, c))                     \
    X(kState, void, glStencilOp, (GLenum a, GLenum b, GLenum c), (a, b, c))                      \
    X(kState, void, glCullFace, (GLenum a), (a))                                                 \
    X(kState, void, glScissor, (GLint a, GLint b, GLsizei c, GLsizei d), (a, b, c, d))           \
    X(kState, void, glViewport, (GLint a, GLint b, GLsizei c, GLsizei d), (a, b, c, d))          \
    X(kState, void, glClearColor, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), (a, b, c, d))    \
    X(kState, void, glPixelStorei, (GLenum a, GLint b), (a, b))                                  \
    X(kTexture, void, glActiveTexture, (GLenum a), (a))                                          \
    X(kTexture, void, glBindTexture, (GLenum a, GLuint b), (a, b))                               \
    X(kTexture, void, glGenTextures, (GLsizei a, GLuint * b), (a, b))                            \
    X(kTexture, void, glDeleteTextures, (GLsizei a, const GLuint* b), (a, b))                    \
    X(kTexture, void, glTexParameteri, (GLenum a, GLenum b, GLint c), (a, b, c))                 \
    X(kTexture, void, glTexImage2D,                                                              \
      (GLenum a, GLint b, GLint c, GLsizei d, GLsizei e, GLint f, GLenum g, GLenum h,            \
       const void* i),                                                                           \
      (a, b, c, d, e, f, g, h, i))                                                               \
    X(kTexture, void, glCopyTexImage2D,                                                          \
      (GLenum a, GLint b, GLenum c, GLint d, GLint e, GLsizei f, GLsizei g, GLint h),            \
      (a, b, c, d, e, f, g, h))                                                                  \
    X(kBuffer, void, glBindVertexArray, (GLuint a), (a))                                         \
    X(kBuffer, void, glBindBuffer, (GLenum a, GLuint b), (a, b))                                 \
    X(kBuffer, void, glBufferData, (GLenum a, GLsizeiptr b, const void* c, GLenum d),            \
      (a, b, c, d))                                                                              \
    X(kBuffer, void, glBufferSubData, (GLenum a, GLintptr b, GLsizeiptr c, const void* d),       \
      (a, b, c, d))                                                                              \
    X(kBuffer, void, glGenVertexArrays, (GLsizei a, GLuint * b), (a, b))                         \
    X(kBuffer, void, glGenBuffers, (GLsizei a, GLuint * b), (a, b))                              \
    X(kBuffer, void, glDeleteVertexArrays, (GLsizei a, const GLuint* b), (a, b))                 \
    X(kBuffer, void, glDeleteBuffers, (GLsizei a, const GLuint* b), (a, b))                      \
    X(kBuffer, void, glEnableVertexAttribArray, (GLuint a), (a))                                 \
    X(kBuffer, void, glVertexAttribPointer,                                                      \
      (GLuint a, GLint b, GLenum c, GLboolean d, GLsizei e, const void* f), (a, b, c, d, e, f))  \
    X(kBuffer, void, glVertexAttrib2fv, (GLuint a, const GLfloat* b), (a, b))                    \
    X(kBuffer, void, glVertexAttrib3fv, (GLuint a, const GLfloat* b), (a, b))                    \
    X(kBuffer, void, glVertexAttrib4fv, (GLuint a, const GLfloat* b), (a, b))                    \
    X(kOther, void, glReadPixels,                                                                \
      (GLint a, GLint b, GLsizei c, GLsizei d, GLenum e, GLenum f, void* g),                     \
      (a, b, c, d, e, f, g))                                                                     \
    X(kOther, void, glReadBuffer, (GLenum a), (a))                                               \
    X(kOther, void, glBindFramebuffer, (GLenum a, GLuint b), (a, b))                             \
    X(kOther, void, glFramebufferTexture2D, (GLenum a, GLenum b, GLenum c, GLuint d, GLint e),   \
      (a, b, c, d, e))                                                                           \
    X(kOther, void, glFlush, (), ())                                                             \
    X(kOther, void, glFinish, (), ())                                                            \
    X(kOther, GLenum, glGetError, (), ())                                                        \
    X(kOther, void, glGetIntegerv, (GLenum a, GLint * b), (a, b))                                \
    X(kOther, void, glGetFloatv, (GLenum a, GLfloat * b), (a, b))                                \
    X(kOther, GLint, glGetUniformLocation, (GLuint a, const GLchar* b), (a, b))

// Each wrapper counts its call and hands it to the real entry point.
#define TARVEL_WRAP(kind, ret, name, params, args) \
    extern "C" ret __real_##name params;           \
    extern "C" ret __wrap_##name params {          \
        ++current[kind];                           \
        if (tracing) {                             \
            currentNames.push_back(#name);         \
        }                                          \
        return __real_##name args;                 \
    }
TARVEL_COUNTED_ES_CALLS(TARVEL_WRAP)
#undef TARVEL_WRAP

struct SDL_Window;

extern "C" void __real_SDL_GL_SwapWindow(SDL_Window* window);
extern "C" void __wrap_SDL_GL_SwapWindow(SDL_Window* window) {
    frames.push_back(current);
    current = {};
    if (tracing) {
        frameNames.push_back(std::move(currentNames));
        currentNames.clear();
    }
    __real_SDL_GL_SwapWindow(window);
}

namespace {

struct Moment {
    const char* name;
    double time;
};

// The show's hand-chosen reference moments (tests/e2e/reference/moments.txt).
constexpr Moment kMoments[] = {
    {"lead-in", -1.5},     {"opening", 8.4},   {"turntable", 20},  {"character", 30},
    {"graffiti-in", 42.9}, {"graffiti", 50},   {"morph", 85.2},    {"tower-in", 94.8},
    {"tower", 100},        {"landing", 123.4}, {"credits", 170.5},
};

// The sections --bench reports.
constexpr double kBounds[] = {-4.0, 0.0, 11.52, 26.88, 42.72, 77.76, 94.56, 122.4, 165.0, 185.0};

struct Result {
    Counts typical{};  // the frame with the median total
    long largestTotal = 0;
    double meanTotal = 0;
    int frames = 0;
};

// In the child: the program renders the second of frames up to the moment (--bench from
// there); its exit reports the frames through `out`.
[[noreturn]] void renderMoment(const std::vector<std::string>& options, double fps, double time,
                               int out) {
    char from[32], to[32];
    std::snprintf(from, sizeof from, "%.3f", time - 1.0);
    std::snprintf(to, sizeof to, "%.3f", time + 0.001);
    std::vector<std::string> words = {"tarvel", "--renderer", "gles", "--bench",
                                      "--from", from,         "--to", to};
    words.insert(words.end(), options.begin(), options.end());
    // The last quarter second of frames: the loading screen's and the first frames of the
    // show (which compile the programs and load the pictures they meet) are left out.
    const size_t counted = static_cast<size_t>(std::max(1.0, std::ceil(fps * 0.25)));
    platform::setExitHandler([out, n = counted](int status) {
        Result result;
        std::vector<Counts> counted(frames.end() - static_cast<long>(std::min(n, frames.size())),
                                    frames.end());
        for (const Counts& frame : counted) {
            result.largestTotal = std::max(result.largestTotal, total(frame));
            result.meanTotal += static_cast<double>(total(frame));
        }
        result.frames = static_cast<int>(counted.size());
        result.meanTotal /= std::max(1, result.frames);
        if (!counted.empty()) {
            std::sort(counted.begin(), counted.end(),
                      [](const Counts& a, const Counts& b) { return total(a) < total(b); });
            result.typical = counted[counted.size() / 2];
        }
        if (tracing) {
            size_t largest = frames.size() - counted.size();
            for (size_t i = largest; i < frames.size(); ++i) {
                largest = total(frames[i]) > total(frames[largest]) ? i : largest;
            }
            const auto& names = frameNames[largest];
            for (size_t i = 0; i < names.size();) {
                size_t same = i;
                while (same < names.size() && std::strcmp(names[same], names[i]) == 0) {
                    ++same;
                }
                std::fprintf(stderr, "%4zu %s\n", same - i, names[i]);
                i = same;
            }
        }
        if (write(out, &result, sizeof result) != sizeof result) {
            status = 3;
        }
        _exit(status & 0xff);
    });
    // The benchmark's own report is not ours.
    if (!freopen("/dev/null", "w", stdout)) {
        _exit(2);
    }
    std::vector<char*> argv;
    for (auto& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    _exit(runTarvel(static_cast<int>(words.size()), argv.data()) & 0xff);
}

bool measure(const std::vector<std::string>& options, double fps, double time, Result& result) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        renderMoment(options, fps, time, pipeEnds[1]);
    }
    close(pipeEnds[1]);
    const bool read = ::read(pipeEnds[0], &result, sizeof result) == sizeof result;
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0 && result.frames > 0;
}

int sectionOf(double time) {
    for (size_t i = 0; i + 1 < std::size(kBounds); ++i) {
        if (time >= kBounds[i] && time < kBounds[i + 1]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(std::size(kBounds)) - 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string size = "800x600", fps = "60", data;
    std::vector<Moment> moments;
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if ((word == "--data" || word == "--size" || word == "--fps") && i + 1 < argc) {
            (word == "--data" ? data : word == "--size" ? size : fps) = argv[++i];
            continue;
        }
        char* end = nullptr;
        const double time = std::strtod(argv[i], &end);
        if (end == argv[i] || *end != '\0') {
            std::fprintf(stderr,
                         "usage: gles_calls_bench [--data DIR] [--size WxH] [--fps N] [TIME...]\n");
            return 2;
        }
        names.push_back(word + " s");
        moments.push_back({nullptr, time});
    }
    std::vector<std::string> options = {"--size", size, "--fps", fps};
    if (!data.empty()) {
        options.insert(options.end(), {"--data", data});
    }
    if (moments.empty()) {
        moments.assign(std::begin(kMoments), std::end(kMoments));
    }
    std::printf(
        "GL ES calls a frame through the GL layer at %s, %s frames a second: the mean "
        "and the largest of the frames counted, and the median frame by kind\n",
        size.c_str(), fps.c_str());
    std::printf("%-12s %8s  %11s %6s %7s %6s", "moment", "time (s)", "section", "mean", "largest",
                "median");
    for (const char* kind : kKindNames) {
        std::printf(" %8s", kind);
    }
    std::printf("\n");
    int failed = 0;
    for (size_t m = 0; m < moments.size(); ++m) {
        const Moment& moment = moments[m];
        Result result;
        if (!measure(options, std::atof(fps.c_str()), moment.time, result)) {
            std::fprintf(stderr, "gles_calls_bench: the moment at %g s did not render\n",
                         moment.time);
            ++failed;
            continue;
        }
        const int section = sectionOf(moment.time);
        char span[32];
        std::snprintf(span, sizeof span, "%g-%g", kBounds[section], kBounds[section + 1]);
        std::printf("%-12s %8.3f  %11s %6.0f %7ld %6ld",
                    moment.name ? moment.name : names[m].c_str(), moment.time, span,
                    result.meanTotal, result.largestTotal, total(result.typical));
        for (long n : result.typical) {
            std::printf(" %8ld", n);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
