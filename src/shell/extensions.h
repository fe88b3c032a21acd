// The GL extension loader: finds the core version and the GL and WGL extensions the driver
// advertises, keeps one flag for each, and resolves the entry points of every supported one
// by name. Strings and procedures come from injectable sources so tests can fake a driver.
#pragma once

#include "render/gl/gl.h"

#include <functional>
#include <string_view>

#include "render/gl_entry_points.h"

enum class ExtensionString { Version, Extensions, Wgl };

struct ExtensionSources {
    // GL_VERSION, GL_EXTENSIONS or the WGL extension string; null when there is none.
    std::function<const char*(ExtensionString)> string;
    // The address of an entry point, null when the driver does not have it.
    std::function<void*(const char*)> proc;
};

// glGetString for the GL strings and render::gl::procAddress for procedures; no WGL string
// and no WGL procedures (this platform has no WGL).
ExtensionSources defaultExtensionSources();
// Empty members fall back to the defaults.
void setExtensionSources(ExtensionSources sources);

// Status 0 on success, 1 when an advertised WGL extension lacks an entry point.
int loadExtensions();
// Whole-token tests against the GL and WGL extension strings: 0 or 1.
int queryExtension(const char* name);
int queryWglExtension(const char* name);
// Looks an entry point up; a miss sets the status to 1 and gives null.
void* resolveProc(const char* name);

// The public flag record after the last loadExtensions: 0 or 1, and 0 for unknown names.
// Core versions are named "GL_VERSION_1_2" … "GL_VERSION_1_4"; the WGL string functions'
// flags "WGL_ARB_extensions_string" and "WGL_EXT_extensions_string".
int extensionFlag(std::string_view name);
// A resolved entry point by name (the first row that holds it), null when not resolved.
void* extensionProc(std::string_view name);
// The same for one row, where two rows share a name (the program functions, the blend
// functions of imaging and 1.4).
void* extensionProc(std::string_view flag, std::string_view name);
