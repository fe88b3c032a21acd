// The record player of the opening, in three models drawn by the show at a scale of 0.01: the
// body (plinth, feet, controls, tone arm), the platter and the record with its label.
#pragma once

#include "vintra-gen/models/model_builder.h"

namespace gen {

class TurntableModels {
public:
    // The show turns the platter and record about the world origin after moving them by
    // (0.06, 0.35) scene units, so they are built centred on (-6, -35) model units and the
    // body places its spindle at the origin.
    static constexpr float kPlatterX = -6.0f;
    static constexpr float kPlatterY = -35.0f;
    // The parts are drawn to a plan with the spindle at the origin, then scaled to fit the
    // opening camera's view.
    static constexpr float kScale = 0.75f;
    static constexpr float kRecordRadius = 530.0f * kScale;

    static ModelBuilder body();
    static ModelBuilder platter();
    // The record: its top face carries the whole label picture (a record seen from above),
    // its edge and underside a dark groove texel of the same picture.
    static ModelBuilder record();

private:
    // From the plan to the model: scaled, and for the turning parts moved onto (kPlatterX,
    // kPlatterY).
    static void fit(ModelBuilder& model, bool turning);
    static void toneArm(ModelBuilder& model);
    static void controls(ModelBuilder& model);
};

}  // namespace gen
