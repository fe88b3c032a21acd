// The debug builds' GL error check: drains the error queue and reports every error with
// where it was found and at what show time. Release builds compile the calls away.
#pragma once

#include <typeinfo>

#include "base/layer_check.h"

#ifdef TARVEL_GL_CHECKS
void reportGlErrors(const char* where, double time);
// After a layer: names it by its class, which is worked out only when there is an error.
void reportGlErrors(const std::type_info& layer, double time);
// Around a layer drawn through the GL layer: the state it leaves changed is reported by
// group (the system's GL keeps no record to compare, so there this checks nothing).
void markGlState();
void reportGlStateChanges(const std::type_info& layer, double time);
#else
inline void reportGlErrors(const char*, double) {}
inline void reportGlErrors(const std::type_info&, double) {}
inline void markGlState() {}
inline void reportGlStateChanges(const std::type_info&, double) {}
#endif

// The checks above around every layer a timeline draws; nothing in release builds.
class GlLayerCheck final : public LayerCheck {
public:
    void before(const Layer& layer) override;
    void after(const Layer& layer, double showTime) override;
};
