#include "vintra-gen/three_ds_writer.h"

#include <cstring>

#include "objects/three_ds_chunk_ids.h"

namespace gen {
namespace {

constexpr size_t kMaxCount = 65535;
constexpr size_t kMaxObjectName = 98;
constexpr size_t kMaxShortName = 19;

// Appends little-endian values and chunks whose lengths are patched when they close.
class ChunkStream {
public:
    explicit ChunkStream(std::vector<uint8_t>& out) : out_(out) {}

    void u8(uint8_t v) { out_.push_back(v); }
    void u16(uint16_t v) {
        u8(static_cast<uint8_t>(v));
        u8(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        u16(static_cast<uint16_t>(v));
        u16(static_cast<uint16_t>(v >> 16));
    }
    void f32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        u32(bits);
    }
    void text(const std::string& s) {
        out_.insert(out_.end(), s.begin(), s.end());
        u8(0);
    }
    void begin(uint16_t id) {
        open_.push_back(out_.size());
        u16(id);
        u32(0);
    }
    void end() {
        const size_t start = open_.back();
        open_.pop_back();
        const uint32_t length = static_cast<uint32_t>(out_.size() - start);
        for (int i = 0; i < 4; ++i) {
            out_[start + 2 + i] = static_cast<uint8_t>(length >> (8 * i));
        }
    }

private:
    std::vector<uint8_t>& out_;
    std::vector<size_t> open_;
};

void writeColor(ChunkStream& s, uint16_t id, const ThreeDsColor& c) {
    s.begin(id);
    s.begin(chunk::kColorByte);
    s.u8(c.r);
    s.u8(c.g);
    s.u8(c.b);
    s.end();
    s.end();
}

void writeMaterial(ChunkStream& s, const ThreeDsMaterial& m) {
    s.begin(chunk::kMaterialBlock);
    s.begin(chunk::kMaterialName);
    s.text(m.name);
    s.end();
    writeColor(s, chunk::kAmbient, m.ambient);
    writeColor(s, chunk::kDiffuse, m.diffuse);
    writeColor(s, chunk::kSpecular, m.specular);
    if (!m.texture.empty()) {
        s.begin(chunk::kTexture1);
        s.begin(chunk::kPercentInt);
        s.u16(static_cast<uint16_t>(m.texturePercent));
        s.end();
        s.begin(chunk::kSlotFileName);
        s.text(m.texture);
        s.end();
        s.end();
    }
    s.end();
}

// One material group per used material, in order of first use; faces listed in face order.
void writeMaterialGroups(ChunkStream& s, const ThreeDsModel& model, const ThreeDsObject& o) {
    std::vector<bool> done(model.materials.size(), false);
    for (const ThreeDsFace& first : o.faces) {
        if (first.material < 0 || done[first.material]) {
            continue;
        }
        done[first.material] = true;
        std::vector<uint16_t> listed;
        for (size_t f = 0; f < o.faces.size(); ++f) {
            if (o.faces[f].material == first.material) {
                listed.push_back(static_cast<uint16_t>(f));
            }
        }
        s.begin(chunk::kMaterialGroup);
        s.text(model.materials[first.material].name);
        s.u16(static_cast<uint16_t>(listed.size()));
        for (uint16_t f : listed) {
            s.u16(f);
        }
        s.end();
    }
}

void writeObject(ChunkStream& s, const ThreeDsModel& model, const ThreeDsObject& o) {
    s.begin(chunk::kNamedObject);
    s.text(o.name);
    s.begin(chunk::kMesh);
    s.begin(chunk::kVertexList);
    s.u16(static_cast<uint16_t>(o.vertices.size()));
    for (const auto& v : o.vertices) {
        s.f32(v[0]);
        s.f32(v[1]);
        s.f32(v[2]);
    }
    s.end();
    if (!o.uvs.empty()) {
        s.begin(chunk::kUvList);
        s.u16(static_cast<uint16_t>(o.uvs.size()));
        for (const auto& uv : o.uvs) {
            s.f32(uv[0]);
            s.f32(uv[1]);
        }
        s.end();
    }
    s.begin(chunk::kFaceList);
    s.u16(static_cast<uint16_t>(o.faces.size()));
    for (const ThreeDsFace& f : o.faces) {
        s.u16(f.a);
        s.u16(f.b);
        s.u16(f.c);
        s.u16(0x0007);  // all three edges visible
    }
    writeMaterialGroups(s, model, o);
    s.begin(chunk::kSmoothingGroups);
    for (const ThreeDsFace& f : o.faces) {
        s.u32(f.smoothing);
    }
    s.end();
    s.end();
    s.end();
    s.end();
}

}  // namespace

bool ThreeDsWriter::validate(const ThreeDsModel& model) {
    for (const ThreeDsMaterial& m : model.materials) {
        if (m.name.size() > kMaxShortName || m.texture.size() > kMaxShortName) {
            error_ = "material or texture name over 19 characters: " + m.name;
            return false;
        }
    }
    for (const ThreeDsObject& o : model.objects) {
        if (o.name.size() > kMaxObjectName) {
            error_ = "object name over 98 characters: " + o.name;
            return false;
        }
        if (o.vertices.size() > kMaxCount || o.faces.size() > kMaxCount ||
            (!o.uvs.empty() && o.uvs.size() != o.vertices.size())) {
            error_ = "object " + o.name + ": over 65535 vertices or faces, or uvs not per vertex";
            return false;
        }
        for (const ThreeDsFace& f : o.faces) {
            const size_t n = o.vertices.size();
            if (f.a >= n || f.b >= n || f.c >= n ||
                f.material >= static_cast<int>(model.materials.size())) {
                error_ = "object " + o.name + ": face index or material out of range";
                return false;
            }
        }
    }
    return true;
}

bool ThreeDsWriter::write(const ThreeDsModel& model, std::vector<uint8_t>& out) {
    out.clear();
    error_.clear();
    if (!validate(model)) {
        return false;
    }
    ChunkStream s(out);
    s.begin(chunk::kMain);
    s.begin(chunk::kEditor);
    for (const ThreeDsMaterial& m : model.materials) {
        writeMaterial(s, m);
    }
    for (const ThreeDsObject& o : model.objects) {
        writeObject(s, model, o);
    }
    s.end();
    s.begin(chunk::kKeyframer);
    s.end();
    s.end();
    return true;
}

}  // namespace gen
