// What a timeline calls around each layer it draws: debug builds check there that the layer
// raised no GL error and left no GL state behind (render/gl_errors.h).
#pragma once

class Layer;

class LayerCheck {
public:
    virtual void before(const Layer& layer) = 0;
    virtual void after(const Layer& layer, double showTime) = 0;

protected:
    ~LayerCheck() = default;
};
