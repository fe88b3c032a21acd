// The debug builds' GL error check: drains the error queue and reports every error with
// where it was found and at what show time. Release builds compile the calls away.
#pragma once

#include <string>

#ifdef TARVEL_GL_CHECKS
void reportGlErrors(const char* where, double time);
#else
inline void reportGlErrors(const char*, double) {}
#endif

// A readable name for what raised an error: a layer's class name.
std::string readableTypeName(const char* mangled);
