#include "shell/extensions.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "render/gl/gl_api.h"
#include "shell/extension_tables.h"

namespace {

using extension_tables::EntryPointRow;
using extension_tables::kFlagCount;
using extension_tables::kFlagNames;

using FlagRecord = std::array<int32_t, kFlagCount>;
// One pointer slot per entry point of a row, in the row's order.
using RowSlots = std::vector<std::vector<void*>>;

ExtensionSources sources;
int status = 0;
FlagRecord workingFlags{};
FlagRecord publicFlags{};
RowSlots glSlots;
RowSlots wglSlots;

const char* defaultString(ExtensionString which) {
    switch (which) {
        case ExtensionString::Version:
            return reinterpret_cast<const char*>(glGetString(GL_VERSION));
        case ExtensionString::Extensions:
            return reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        case ExtensionString::Wgl:
            return nullptr;
    }
    return nullptr;
}

const char* sourceString(ExtensionString which) {
    return sources.string ? sources.string(which) : defaultString(which);
}

// This platform has no WGL; its own lookup hands out stubs even for names it lacks.
void* defaultProc(const char* name) {
    if (name == nullptr || std::strncmp(name, "wgl", 3) == 0) {
        return nullptr;
    }
    return render::gl::procAddress(name);
}

void* sourceProc(const char* name) {
    return sources.proc ? sources.proc(name) : defaultProc(name);
}

// A name counts only as a whole blank-separated token of the list.
bool hasToken(const char* list, const char* name) {
    if (list == nullptr || name == nullptr || *name == '\0' || std::strchr(name, ' ') != nullptr) {
        return false;
    }
    const size_t length = std::strlen(name);
    for (const char* from = list;;) {
        const char* where = std::strstr(from, name);
        if (where == nullptr) {
            return false;
        }
        const char* end = where + length;
        if ((where == list || where[-1] == ' ') && (*end == ' ' || *end == '\0')) {
            return true;
        }
        from = end;
    }
}

void clearSlots(RowSlots& slots, std::span<const EntryPointRow> rows) {
    slots.assign(rows.size(), {});
    for (size_t i = 0; i < rows.size(); ++i) {
        slots[i].assign(rows[i].names.size(), nullptr);
    }
}

// The driver's version names its minor number right after the first "1.".
bool readVersion() {
    const char* version = sourceString(ExtensionString::Version);
    if (version == nullptr) {
        return false;
    }
    const char* one = std::strstr(version, "1.");
    const char minor = one != nullptr ? one[2] : '\0';
    workingFlags[0] = minor >= '2';
    workingFlags[1] = minor >= '3';
    workingFlags[2] = minor > '3';
    return true;
}

void resolveRows(std::span<const EntryPointRow> rows, RowSlots& slots) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (workingFlags[extension_tables::flagIndex(rows[i].flag)] == 0) {
            continue;
        }
        for (size_t j = 0; j < rows[i].names.size(); ++j) {
            slots[i][j] = resolveProc(rows[i].names[j]);
        }
    }
}

void* findProc(std::span<const EntryPointRow> rows, const RowSlots& slots, std::string_view flag,
               std::string_view name) {
    for (size_t i = 0; i < rows.size() && i < slots.size(); ++i) {
        if (!flag.empty() && flag != rows[i].flag) {
            continue;
        }
        for (size_t j = 0; j < rows[i].names.size(); ++j) {
            if (name == rows[i].names[j] && slots[i][j] != nullptr) {
                return slots[i][j];
            }
        }
    }
    return nullptr;
}

void loadGl() {
    if (!readVersion()) {
        return;
    }
    using extension_tables::kFirstGlExtension;
    for (int i = kFirstGlExtension; i < kFirstGlExtension + extension_tables::kGlExtensionCount;
         ++i) {
        workingFlags[i] = queryExtension(kFlagNames[i]);
    }
}

void loadWgl() {
    using extension_tables::kFirstWglExtension;
    status = 0;
    workingFlags[extension_tables::kWglArbStringFlag] =
        resolveProc("wglGetExtensionsStringARB") != nullptr;
    workingFlags[extension_tables::kWglExtStringFlag] =
        resolveProc("wglGetExtensionsStringEXT") != nullptr;
    status = 0;
    for (int i = kFirstWglExtension; i < kFirstWglExtension + extension_tables::kWglExtensionCount;
         ++i) {
        workingFlags[i] = queryWglExtension(kFlagNames[i]);
    }
    resolveRows(extension_tables::kWglRows, wglSlots);
}

}  // namespace

ExtensionSources defaultExtensionSources() {
    return {defaultString, defaultProc};
}

void setExtensionSources(ExtensionSources newSources) {
    sources = std::move(newSources);
}

int loadExtensions() {
    status = 0;
    workingFlags.fill(0);
    clearSlots(glSlots, extension_tables::kGlRows);
    clearSlots(wglSlots, extension_tables::kWglRows);

    loadGl();
    resolveRows(extension_tables::kGlRows, glSlots);
    // Only a WGL extension without its entry points is reported: the WGL step starts over.
    loadWgl();

    publicFlags = workingFlags;
    stencilWrapAvailable =
        extensionFlag("GL_VERSION_1_4") != 0 || extensionFlag("GL_EXT_stencil_wrap") != 0;
    return status;
}

int queryExtension(const char* name) {
    return hasToken(sourceString(ExtensionString::Extensions), name) ? 1 : 0;
}

int queryWglExtension(const char* name) {
    if (workingFlags[extension_tables::kWglArbStringFlag] == 0 &&
        workingFlags[extension_tables::kWglExtStringFlag] == 0) {
        return 0;
    }
    return hasToken(sourceString(ExtensionString::Wgl), name) ? 1 : 0;
}

void* resolveProc(const char* name) {
    void* proc = sourceProc(name);
    if (proc == nullptr) {
        status = 1;
    }
    return proc;
}

int extensionFlag(std::string_view name) {
    for (int i = 0; i < kFlagCount; ++i) {
        if (name == kFlagNames[i]) {
            return publicFlags[i];
        }
    }
    return 0;
}

void* extensionProc(std::string_view name) {
    return extensionProc({}, name);
}

void* extensionProc(std::string_view flag, std::string_view name) {
    void* proc = findProc(extension_tables::kGlRows, glSlots, flag, name);
    return proc != nullptr ? proc : findProc(extension_tables::kWglRows, wglSlots, flag, name);
}
