#include "vintra-gen/generator.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

namespace gen {

namespace fs = std::filesystem;

Generator::Generator(std::string root, std::vector<Producer> producers)
    : root_(std::move(root)), producers_(std::move(producers)) {}

bool Generator::prepare() {
    std::error_code error;
    fs::create_directories(root_, error);
    if (error || !fs::is_directory(root_)) {
        error_ = "cannot create the directory " + root_ +
                 (error ? ": " + error.message() : ": a file of that name is in the way");
        return false;
    }
    // An interrupted run must not leave an old marker claiming a complete set.
    fs::path marker = fs::path(root_) / kMarker;
    fs::remove(marker, error);
    if (error) {
        error_ = "cannot remove " + marker.string() + ": " + error.message();
        return false;
    }
    fs::path probe = fs::path(root_) / ".vintra-gen-probe";
    std::ofstream test(probe, std::ios::binary | std::ios::trunc);
    if (!test) {
        error_ = "cannot write in " + root_ + ": " + std::strerror(errno);
        return false;
    }
    test.close();
    fs::remove(probe, error);
    return true;
}

bool Generator::run() {
    error_.clear();
    if (!prepare()) {
        return false;
    }
    OutputDirectory out(root_);
    std::mutex printing;
    std::atomic<size_t> partsDone = 0;
    const size_t parts = producers_.size();
    auto show = [&](size_t files) {
        if (progress_) {
            std::fprintf(stderr, "\rvintra-gen: %zu files, %zu/%zu parts", files, partsDone.load(),
                         parts);
            std::fflush(stderr);
        }
    };
    out.setObserver(show);
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t i = next++; i < parts && !out.failed(); i = next++) {
            producers_[i].produce(out);
            ++partsDone;
            std::lock_guard<std::mutex> lock(printing);
            show(out.filesWritten());
        }
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads_; ++t) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (progress_) {
        std::fprintf(stderr, "\n");
    }
    out.setObserver(nullptr);
    if (!out.failed()) {
        out.write(kMarker, std::string("tarvel data set\n"));
    }
    files_ = out.filesWritten();
    bytes_ = out.bytesWritten();
    if (out.failed()) {
        error_ = out.firstError();
        return false;
    }
    return true;
}

}  // namespace gen
