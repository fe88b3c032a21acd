#include "vintra-gen/pictures/canvas.h"

#include <algorithm>
#include <cmath>

namespace gen {

Color mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color scaled(Color c, float factor) {
    return {c.r * factor, c.g * factor, c.b * factor};
}

Canvas::Canvas(int width, int height, Color background)
    : width_(width),
      height_(height),
      r_(width, height, background.r),
      g_(width, height, background.g),
      b_(width, height, background.b) {}

Color Canvas::pixel(int x, int y) const {
    return {r_.at(x, y), g_.at(x, y), b_.at(x, y)};
}

void Canvas::setPixel(int x, int y, Color c) {
    r_.at(x, y) = c.r;
    g_.at(x, y) = c.g;
    b_.at(x, y) = c.b;
}

void Canvas::fill(Color c) {
    r_.fill(c.r);
    g_.fill(c.g);
    b_.fill(c.b);
}

void Canvas::verticalGradient(Color top, Color bottom) {
    for (int y = 0; y < height_; ++y) {
        Color c = mix(top, bottom, height_ > 1 ? static_cast<float>(y) / (height_ - 1) : 0.0f);
        for (int x = 0; x < width_; ++x) {
            setPixel(x, y, c);
        }
    }
}

void Canvas::radialGradient(float cx, float cy, float radius, Color inner, Color outer) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            float t = std::min(1.0f, std::sqrt(dx * dx + dy * dy) / radius);
            t = t * t * (3.0f - 2.0f * t);
            setPixel(x, y, mix(inner, outer, t));
        }
    }
}

void Canvas::paint(const Plane& coverage, Color c, float opacity) {
    const auto& a = coverage.values();
    auto& r = r_.values();
    auto& g = g_.values();
    auto& b = b_.values();
    for (size_t i = 0; i < r.size() && i < a.size(); ++i) {
        float t = std::clamp(a[i] * opacity, 0.0f, 1.0f);
        r[i] += (c.r - r[i]) * t;
        g[i] += (c.g - g[i]) * t;
        b[i] += (c.b - b[i]) * t;
    }
}

void Canvas::paintGradient(const Plane& coverage, Color top, Color bottom, float y0, float y1) {
    for (int y = 0; y < height_; ++y) {
        float t = std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f);
        Color c = mix(top, bottom, t);
        for (int x = 0; x < width_; ++x) {
            float a = std::clamp(coverage.at(x, y), 0.0f, 1.0f);
            if (a > 0.0f) {
                setPixel(x, y, mix(pixel(x, y), c, a));
            }
        }
    }
}

void Canvas::add(const Plane& coverage, Color c) {
    const auto& a = coverage.values();
    auto& r = r_.values();
    auto& g = g_.values();
    auto& b = b_.values();
    for (size_t i = 0; i < r.size() && i < a.size(); ++i) {
        r[i] += c.r * a[i];
        g[i] += c.g * a[i];
        b[i] += c.b * a[i];
    }
}

void Canvas::glow(const Plane& coverage, Color c, int radius) {
    Plane halo = coverage;
    halo.clamp01();
    halo.blur(radius);
    add(halo, c);
}

void Canvas::blur(int radius) {
    r_.blur(radius);
    g_.blur(radius);
    b_.blur(radius);
}

void Canvas::invert() {
    for (Plane* p : {&r_, &g_, &b_}) {
        for (float& v : p->values()) {
            v = 1.0f - v;
        }
    }
}

void Canvas::darken(float factor) {
    r_.scale(factor);
    g_.scale(factor);
    b_.scale(factor);
}

void Canvas::vignette(float strength) {
    float cx = width_ * 0.5f;
    float cy = height_ * 0.5f;
    float inv = 1.0f / std::sqrt(cx * cx + cy * cy);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            float d = std::sqrt(dx * dx + dy * dy) * inv;
            setPixel(x, y, scaled(pixel(x, y), 1.0f - strength * d * d));
        }
    }
}

void Canvas::clamp01() {
    r_.clamp01();
    g_.clamp01();
    b_.clamp01();
}

std::vector<uint8_t> Canvas::rgb8() const {
    std::vector<uint8_t> out(static_cast<size_t>(width_) * height_ * 3);
    const auto& r = r_.values();
    const auto& g = g_.values();
    const auto& b = b_.values();
    auto quantise = [](float v) {
        return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (size_t i = 0; i < r.size(); ++i) {
        out[i * 3] = quantise(r[i]);
        out[i * 3 + 1] = quantise(g[i]);
        out[i * 3 + 2] = quantise(b[i]);
    }
    return out;
}

}  // namespace gen
