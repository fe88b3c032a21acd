// Feeds arbitrary bytes to the 3DS reader and walks what it built: nothing may crash, hang or
// read outside the buffer or the model's arrays. Each mesh is also built as the scene object
// builds it and tested for a closed surface, as the tower's models are at load.
#include <cstddef>
#include <cstdint>

#include "objects/closed_surface.h"
#include "objects/l3ds.h"
#include "objects/mesh.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LogWindow quietLog(false);
    logWindow = &quietLog;
    L3DS reader;
    if (!reader.LoadFromMemory(data, size)) {
        return 0;
    }
    float sink = 0.0f;
    for (size_t m = 0; m < reader.GetMeshCount(); ++m) {
        ModelMesh& mesh = reader.GetMesh(m);
        Mesh built;
        for (size_t f = 0; f < mesh.GetTriangleCount(); ++f) {
            const ExpandedTriangle t = mesh.GetExpandedTriangle(f);
            const Vector3 corners[3] = {{t.positions[0].x, t.positions[0].y, t.positions[0].z},
                                        {t.positions[1].x, t.positions[1].y, t.positions[1].z},
                                        {t.positions[2].x, t.positions[2].y, t.positions[2].z}};
            built.addFace(corners);
            sink += t.positions[0].x + t.normals[1].y + t.uvs[2].u + t.faceNormal.z;
            const IndexedTriangle i = mesh.GetTriangle(f);
            if (i.a >= mesh.GetVertexCount() || i.b >= mesh.GetVertexCount() ||
                i.c >= mesh.GetVertexCount()) {
                __builtin_trap();
            }
        }
        sink += isClosedSurface(built) ? 1.0f : 0.0f;
        for (size_t i = 0; i < mesh.GetMaterialCount(); ++i) {
            if (mesh.GetMaterial(i) >= reader.GetMaterialCount()) {
                __builtin_trap();
            }
        }
    }
    for (size_t i = 0; i < reader.GetMaterialCount(); ++i) {
        sink += static_cast<float>(reader.GetMaterial(i).GetTexture1().name.size());
    }
    volatile float keep = sink;
    (void)keep;
    return 0;
}
