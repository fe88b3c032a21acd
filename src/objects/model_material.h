// A material of a 3DS model: colours, shininess, transparency, shading and six texture slots.
// Its id is its index in the reader's material list.
#pragma once

#include <cstdint>

#include "objects/model_item.h"
#include "objects/model_types.h"

class ModelMaterial : public ModelItem {
public:
    enum Slot { Texture1 = 0, Texture2, Opacity, Reflection, Bump, Specular, SlotCount };

    uint32_t GetId() const { return id_; }
    void SetId(uint32_t id) { id_ = id; }

    TextureSlot& GetTextureSlot(Slot slot) { return slots_[slot]; }
    const TextureSlot& GetTextureSlot(Slot slot) const { return slots_[slot]; }
    const TextureSlot& GetTexture1() const { return slots_[Texture1]; }

    const Color3f& GetAmbient() const { return ambient_; }
    const Color3f& GetDiffuse() const { return diffuse_; }
    const Color3f& GetSpecular() const { return specular_; }
    void SetAmbient(const Color3f& c) { ambient_ = c; }
    void SetDiffuse(const Color3f& c) { diffuse_ = c; }
    void SetSpecular(const Color3f& c) { specular_ = c; }

    float GetShininess() const { return shininess_; }
    float GetTransparency() const { return transparency_; }
    // Both clamp to 0..1; NaN becomes 0.
    void SetShininess(float value) { shininess_ = clampUnit(value); }
    void SetTransparency(float value) { transparency_ = clampUnit(value); }

    // 0 is wireframe; the default 2 is smooth shading.
    int32_t GetShading() const { return shading_; }
    void SetShading(int32_t shading) { shading_ = shading; }

private:
    static float clampUnit(float value);

    uint32_t id_ = 0;
    TextureSlot slots_[SlotCount];
    Color3f ambient_;
    Color3f diffuse_;
    Color3f specular_;
    float shininess_ = 0.0f;
    float transparency_ = 0.0f;
    int32_t shading_ = 2;
};
