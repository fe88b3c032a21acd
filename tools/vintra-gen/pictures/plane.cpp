#include "vintra-gen/pictures/plane.h"

#include <algorithm>
#include <cmath>

#include "vintra-gen/pictures/value_noise.h"

namespace gen {

namespace {

float clampf(float v, float lo, float hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

Plane::Plane(int width, int height, float value)
    : width_(width), height_(height), values_(static_cast<size_t>(width) * height, value) {}

float Plane::sample(float x, float y) const {
    x = clampf(x, 0.0f, static_cast<float>(width_ - 1));
    y = clampf(y, 0.0f, static_cast<float>(height_ - 1));
    int x0 = static_cast<int>(x);
    int y0 = static_cast<int>(y);
    int x1 = std::min(x0 + 1, width_ - 1);
    int y1 = std::min(y0 + 1, height_ - 1);
    float tx = x - x0;
    float ty = y - y0;
    float top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * tx;
    float bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * tx;
    return top + (bottom - top) * ty;
}

void Plane::fill(float value) {
    std::fill(values_.begin(), values_.end(), value);
}

void Plane::cover(int x, int y, float coverage, float value) {
    if (coverage <= 0.0f || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    float& v = at(x, y);
    float target = value * std::min(coverage, 1.0f);
    v = std::max(v, target);
}

void Plane::fillCircle(float cx, float cy, float radius, float value) {
    fillEllipse(cx, cy, radius, radius, value);
}

void Plane::fillEllipse(float cx, float cy, float rx, float ry, float value) {
    if (rx <= 0.0f || ry <= 0.0f) {
        return;
    }
    int x0 = std::max(0, static_cast<int>(std::floor(cx - rx - 1)));
    int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(cx + rx + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(cy - ry - 1)));
    int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(cy + ry + 1)));
    float r = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / rx;
            float dy = (y + 0.5f - cy) / ry;
            float d = std::sqrt(dx * dx + dy * dy);
            cover(x, y, (1.0f - d) * r + 0.5f, value);
        }
    }
}

void Plane::fillRing(float cx, float cy, float inner, float outer, float value) {
    int x0 = std::max(0, static_cast<int>(std::floor(cx - outer - 1)));
    int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(cx + outer + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(cy - outer - 1)));
    int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(cy + outer + 1)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            float d = std::sqrt(dx * dx + dy * dy);
            float c = std::min(outer - d + 0.5f, d - inner + 0.5f);
            cover(x, y, c, value);
        }
    }
}

void Plane::line(Point a, Point b, float width, float value) {
    float r = width * 0.5f;
    int x0 = std::max(0, static_cast<int>(std::floor(std::min(a.x, b.x) - r - 1)));
    int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(std::max(a.x, b.x) + r + 1)));
    int y0 = std::max(0, static_cast<int>(std::floor(std::min(a.y, b.y) - r - 1)));
    int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(std::max(a.y, b.y) + r + 1)));
    float dx = b.x - a.x;
    float dy = b.y - a.y;
    float len2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float px = x + 0.5f - a.x;
            float py = y + 0.5f - a.y;
            float t = len2 > 0.0f ? clampf((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
            float ex = px - t * dx;
            float ey = py - t * dy;
            cover(x, y, r - std::sqrt(ex * ex + ey * ey) + 0.5f, value);
        }
    }
}

void Plane::polyline(const std::vector<Point>& points, float width, float value) {
    for (size_t i = 1; i < points.size(); ++i) {
        line(points[i - 1], points[i], width, value);
    }
}

void Plane::fillPolygon(const std::vector<Point>& points, float value) {
    if (points.size() < 3) {
        return;
    }
    constexpr int kSub = 4;
    std::vector<float> crossings;
    std::vector<float> rowCoverage(static_cast<size_t>(width_));
    for (int y = 0; y < height_; ++y) {
        std::fill(rowCoverage.begin(), rowCoverage.end(), 0.0f);
        bool any = false;
        for (int s = 0; s < kSub; ++s) {
            float sy = y + (s + 0.5f) / kSub;
            crossings.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                Point p = points[i];
                Point q = points[(i + 1) % points.size()];
                if ((p.y <= sy && q.y > sy) || (q.y <= sy && p.y > sy)) {
                    crossings.push_back(p.x + (sy - p.y) / (q.y - p.y) * (q.x - p.x));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                float left = clampf(crossings[i], 0.0f, static_cast<float>(width_));
                float right = clampf(crossings[i + 1], 0.0f, static_cast<float>(width_));
                for (int x = static_cast<int>(left); x < width_ && x < right; ++x) {
                    float c = std::min(right, x + 1.0f) - std::max(left, static_cast<float>(x));
                    rowCoverage[static_cast<size_t>(x)] += c / kSub;
                    any = true;
                }
            }
        }
        if (any) {
            for (int x = 0; x < width_; ++x) {
                cover(x, y, rowCoverage[static_cast<size_t>(x)], value);
            }
        }
    }
}

void Plane::dab(float cx, float cy, float radius, float value) {
    int x0 = std::max(0, static_cast<int>(cx - radius));
    int x1 = std::min(width_ - 1, static_cast<int>(cx + radius + 1));
    int y0 = std::max(0, static_cast<int>(cy - radius));
    int y1 = std::min(height_ - 1, static_cast<int>(cy + radius + 1));
    float inv = 1.0f / (radius * radius);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            float q = 1.0f - (dx * dx + dy * dy) * inv;
            if (q > 0.0f) {
                float& v = at(x, y);
                v = std::min(1.0f, v + value * q * q);
            }
        }
    }
}

void Plane::boxPass(int radius, bool horizontal) {
    int length = horizontal ? width_ : height_;
    int lines = horizontal ? height_ : width_;
    size_t step = horizontal ? 1 : static_cast<size_t>(width_);
    std::vector<float> source(static_cast<size_t>(length));
    float norm = 1.0f / (2 * radius + 1);
    for (int l = 0; l < lines; ++l) {
        float* base = values_.data() + (horizontal ? static_cast<size_t>(l) * width_ : l);
        for (int i = 0; i < length; ++i) {
            source[static_cast<size_t>(i)] = base[i * step];
        }
        auto clampedAt = [&](int i) {
            return source[static_cast<size_t>(std::clamp(i, 0, length - 1))];
        };
        float sum = 0.0f;
        for (int i = -radius; i <= radius; ++i) {
            sum += clampedAt(i);
        }
        for (int i = 0; i < length; ++i) {
            base[i * step] = sum * norm;
            sum += clampedAt(i + radius + 1) - clampedAt(i - radius);
        }
    }
}

void Plane::blur(int radius) {
    if (radius <= 0) {
        return;
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(radius, true);
        boxPass(radius, false);
    }
}

void Plane::smoothStep(float lo, float hi) {
    float inv = 1.0f / (hi - lo);
    for (float& v : values_) {
        float t = clampf((v - lo) * inv, 0.0f, 1.0f);
        v = t * t * (3.0f - 2.0f * t);
    }
}

void Plane::clamp01() {
    for (float& v : values_) {
        v = clampf(v, 0.0f, 1.0f);
    }
}

void Plane::scale(float factor) {
    for (float& v : values_) {
        v *= factor;
    }
}

void Plane::add(const Plane& other, float factor) {
    for (size_t i = 0; i < values_.size() && i < other.values_.size(); ++i) {
        values_[i] += other.values_[i] * factor;
    }
}

void Plane::cut(const Plane& other) {
    for (size_t i = 0; i < values_.size() && i < other.values_.size(); ++i) {
        values_[i] *= 1.0f - clampf(other.values_[i], 0.0f, 1.0f);
    }
}

void Plane::maximum(const Plane& other) {
    for (size_t i = 0; i < values_.size() && i < other.values_.size(); ++i) {
        values_[i] = std::max(values_[i], other.values_[i]);
    }
}

void Plane::warp(const ValueNoise& noise, float amplitude, float featureSize) {
    Plane source = *this;
    float inv = 1.0f / featureSize;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float dx = (noise.at(x * inv, y * inv) - 0.5f) * 2.0f * amplitude;
            float dy = (noise.at(x * inv + 31.7f, y * inv + 12.9f) - 0.5f) * 2.0f * amplitude;
            at(x, y) = source.sample(x + dx, y + dy);
        }
    }
}

Plane Plane::grown(int radius) const {
    Plane result = *this;
    result.clamp01();
    result.blur(std::max(1, radius / 2));
    result.smoothStep(0.02f, 0.2f);
    return result;
}

}  // namespace gen
