// The extension loader's tables: every flag name in record order, and for each flag with
// entry points the names the loader resolves, in resolution order.
#pragma once

#include <array>
#include <span>

namespace extension_tables {

constexpr int kCoreVersionCount = 3;
constexpr int kGlExtensionCount = 99;
constexpr int kWglExtensionCount = 10;
constexpr int kWglStringFunctionCount = 2;
constexpr int kFlagCount =
    kCoreVersionCount + kGlExtensionCount + kWglExtensionCount + kWglStringFunctionCount;

// Record layout: the core versions, the GL extensions in query order, the WGL extensions in
// query order, then one flag per WGL extension-string function.
constexpr int kFirstGlExtension = kCoreVersionCount;
constexpr int kFirstWglExtension = kFirstGlExtension + kGlExtensionCount;
constexpr int kWglArbStringFlag = kFirstWglExtension + kWglExtensionCount;
constexpr int kWglExtStringFlag = kWglArbStringFlag + 1;

extern const std::array<const char*, kFlagCount> kFlagNames;

struct EntryPointRow {
    const char* flag;
    std::span<const char* const> names;
};

// Core versions and GL extensions, in the order they are resolved.
extern const std::span<const EntryPointRow> kGlRows;
// WGL extensions: make-current-read, swap control, render texture, pixel format, pbuffer,
// buffer region.
extern const std::span<const EntryPointRow> kWglRows;

// Index of a flag in the record, or -1 for a name the record does not hold.
int flagIndex(const char* name);

}  // namespace extension_tables
