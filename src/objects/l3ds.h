// Reader of 3DS model files: reads the whole file into memory, walks its chunk tree into
// materials, meshes and lights, then computes normals (with smoothing groups) and tangents.
// Malformed input degrades to zeros or skipped chunks; every read stays inside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "objects/chunk_cursor.h"
#include "objects/model_importer.h"
#include "objects/model_types.h"

class L3dsChunkReader;

class L3DS : public ModelImporter {
public:
    using ErrorHook = std::function<void(const std::string&)>;

    L3DS() = default;

    // Reads and parses a file; earlier content is cleared once the file has been read.
    bool LoadFile(const char* path) override;
    // Parses 3DS bytes held by the caller (not copied; used only during the call).
    bool LoadFromMemory(const uint8_t* bytes, size_t size);

    // Receives every error message; by default messages are discarded.
    void SetErrorHook(ErrorHook hook) { errorHook_ = std::move(hook); }
    // The first error of the last load in a few words, without the reader's function name
    // ("wrong file format"); empty when there was none.
    const std::string& FirstError() const { return firstError_; }

private:
    static constexpr size_t kObjectNameLimit = 99;

    void Report(const char* message) const {
        if (firstError_.empty()) {
            const std::string text = message;
            const size_t dash = text.find(" - ");
            firstError_ = dash == std::string::npos ? text : text.substr(dash + 3);
        }
        if (errorHook_) {
            errorHook_(message);
        }
    }

    bool Read3DS();
    void ReadObject(const ChunkHeader& object, L3dsChunkReader& chunks);

    ErrorHook errorHook_;
    mutable std::string firstError_;
    ChunkCursor cursor_;
};
