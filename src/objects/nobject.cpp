#include "objects/nobject.h"

#include <algorithm>

#include "base/data_file.h"
#include "base/data_problem.h"
#include "base/log.h"
#include "objects/closed_surface.h"
#include "objects/l3ds.h"
#include "objects/neighbour_search.h"
#include "render/gl_state.h"

namespace {

constexpr GLbitfield kAllAttributes = 0xFFFFF;
constexpr const char* kLightImage = data::kLight.path;

}  // namespace

NObject::NObject() {
    logWindow->printBanner("NObject Object.");
    glGetFloatv(GL_MODELVIEW_MATRIX, orientation);
    glGetFloatv(GL_MODELVIEW_MATRIX, inverseOrientation);
}

bool NObject::load3DS(const char* path) {
    logWindow->printStep("Object::load3DS() -- file: %s", path);
    L3DS reader;
    if (!reader.LoadFile(path)) {
        logWindow->alert("Loading %s in NObject.cpp failed", path);
        const std::string& error = reader.FirstError();
        DataProblem::tellMissingOr(
            path, "does not load as a 3DS model" + (error.empty() ? "" : ": " + error));
        return false;
    }
    buildMeshes(reader);
    return true;
}

void NObject::readMaterials(ModelImporter& model) {
    if (model.GetMaterialCount() == 0) {
        return;
    }
    logWindow->printStep("Has texture coords");
    setTexCoordsOnLoad = true;
    for (size_t i = 0; i < model.GetMaterialCount(); ++i) {
        const ModelMaterial& material = model.GetMaterial(i);
        const TextureSlot& slot = material.GetTexture1();
        logWindow->printStep("Material nr: %d Name: %s", static_cast<int>(i),
                             material.GetName().c_str());
        logWindow->printStep("Texture name: %s", slot.name.c_str());
        if (slot.name.size() > 1) {
            materialMapping[material.GetId()] = {slot.uScale, slot.vScale, slot.uOffset,
                                                 slot.vOffset};
        }
    }
}

void NObject::buildMeshes(ModelImporter& model) {
    readMaterials(model);
    for (size_t j = 0; j < model.GetMeshCount(); ++j) {
        ModelMesh& source = model.GetMesh(j);
        auto mesh = std::make_unique<Mesh>();
        TextureTransform transform;
        if (source.GetMaterialCount() > 0) {
            const auto found = materialMapping.find(source.GetMaterial(0));
            if (found != materialMapping.end()) {
                transform = found->second;
            }
        }
        for (size_t k = 0; k < source.GetTriangleCount(); ++k) {
            const ExpandedTriangle t = source.GetExpandedTriangle(k);
            Vector3 positions[3];
            Vector3 normals[3];
            Vector3 coords[3];
            for (int r = 0; r < 3; ++r) {
                positions[r].set(t.positions[r].x, t.positions[r].y, t.positions[r].z);
                normals[r].set(t.normals[r].x, t.normals[r].y, t.normals[r].z);
                coords[r].set(transform.uScale * t.uvs[r].u + transform.uOffset,
                              transform.vScale * t.uvs[r].v + transform.vOffset, 0);
            }
            mesh->addFace(positions);
            mesh->setNormals(normals);
            mesh->setFaceNormal(Vector3(t.faceNormal.x, t.faceNormal.y, t.faceNormal.z));
            if (setTexCoordsOnLoad) {
                mesh->setTexCoords(coords);
            }
        }
        meshes.push_back(std::move(mesh));
    }
}

void NObject::loadTexture(const char* path, int kind) {
    // Several objects often share one picture: one texture, a missing one reported once.
    // A failure leaves name 0: the object then draws untextured instead of refusing with a
    // message box on every frame.
    texture = TextureCache::shared().load(
        path, kind == kJpgImage ? TextureCache::Kind::Jpg : TextureCache::Kind::Bmp);
    const GLuint name = *texture;
    for (auto& mesh : meshes) {
        mesh->setTexture(name);
    }
    textureReady = true;
}

void NObject::scale(double factor) {
    for (auto& mesh : meshes) {
        mesh->scale(factor);
    }
}

void NObject::setLightRadius(double radius) {
    for (auto& mesh : meshes) {
        mesh->setLightRadius(radius);
    }
}

bool NObject::bounds(Vector3& lowest, Vector3& highest) const {
    bool any = false;
    for (const auto& mesh : meshes) {
        for (size_t k = 0; k < mesh->getFaceCount(); ++k) {
            for (const Vector3& v : mesh->getFace(k).vertices) {
                if (!any) {
                    lowest = highest = v;
                    any = true;
                }
                lowest.set(std::min(lowest.x, v.x), std::min(lowest.y, v.y),
                           std::min(lowest.z, v.z));
                highest.set(std::max(highest.x, v.x), std::max(highest.y, v.y),
                            std::max(highest.z, v.z));
            }
        }
    }
    return any;
}

void NObject::freeze() {
    for (auto& mesh : meshes) {
        mesh->freeze();
    }
}

void NObject::prepare(int shadeType) {
    if (refuses(shadeType)) {
        return;
    }
    for (auto& mesh : meshes) {
        mesh->prepare(shadeType);
    }
}

void NObject::setRevealTotal(double total) {
    for (auto& mesh : meshes) {
        mesh->setRevealTotal(total);
    }
}

void NObject::setRevealProgress(double progress) {
    for (auto& mesh : meshes) {
        mesh->setRevealProgress(progress);
    }
}

void NObject::collectFaces(std::vector<Face*>& list) {
    for (auto& mesh : meshes) {
        for (size_t k = 0; k < mesh->getFaceCount(); ++k) {
            list.push_back(&mesh->getFace(k));
        }
    }
}

void NObject::shareNewLightVector() {
    lightVector = std::make_unique<Vector3>(lightPosition);
    collectFaces(faces);
    for (Face* face : faces) {
        face->setLight(lightVector.get());
    }
}

void NObject::initLight() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    lightTexture = TextureCache::shared().load(kLightImage, TextureCache::Kind::Jpg,
                                               TextureCache::Wrap::Clamp);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    for (auto& mesh : meshes) {
        mesh->setLightTextures(*lightTexture, *lightTexture);
    }
    if (!shadowReady) {
        shareNewLightVector();
    }
    lightReady = true;
}

void NObject::initShadow() {
    // Faces already listed by initLight stand in the list twice; the search below gives the
    // same neighbours as it would over every pair of the list.
    shareNewLightVector();
    const NeighbourIndices found = findNeighbours(faces);
    for (size_t i = 0; i < faces.size(); ++i) {
        Face* across[3];
        for (int e = 0; e < 3; ++e) {
            across[e] = found[i][e] >= 0 ? faces[found[i][e]] : nullptr;
        }
        faces[i]->setNeighbours(across[0], across[1], across[2]);
    }
    for (auto& mesh : meshes) {
        mesh->setClosed(isClosedSurface(*mesh));
    }
    shadowReady = true;
}

bool NObject::refuses(int shadeType) {
    const char* refusal = nullptr;
    switch (static_cast<ShadeType>(shadeType)) {
        case ShadeType::Texture:
            refusal = textureReady ? nullptr : "The object doesn't have a texture!";
            break;
        case ShadeType::Shadow:
            refusal = shadowReady ? nullptr : "The object doesn't have the shadow initiated!";
            break;
        case ShadeType::EnvironmentMap:
            refusal =
                environmentReady ? nullptr : "The object doesn't have an enviroment map loaded!";
            break;
        case ShadeType::BumpMap:
            refusal = bumpReady ? nullptr : "The object doesn't have a bumpmap initiated!";
            break;
        case ShadeType::LightMap:
            // A warning only: the draw goes on.
            if (!lightReady) {
                logWindow->alert("The object doesn't have the light initiated!");
            }
            break;
        case ShadeType::DisplayList:
            refusal = displayListReady ? nullptr : "The display list doesn't exsist yet!";
            break;
        case ShadeType::Radial:
            refusal = radialReady ? nullptr : "The object doesn't have the radial initiated!";
            break;
        case ShadeType::RadialLight:
            refusal =
                radialLightReady ? nullptr : "The object doesn't have the radiallight initiated!";
            break;
        default:
            break;
    }
    if (refusal != nullptr) {
        logWindow->alert("%s", refusal);
        return true;
    }
    return false;
}

// The light position turned into the object's frame by the rotation part of the inverse
// orientation; the object sits at its own origin.
void NObject::refreshLightVector() {
    if (lightVector == nullptr) {
        return;
    }
    const float* m = inverseOrientation;
    const double x = lightPosition.x, y = lightPosition.y, z = lightPosition.z;
    lightVector->set(x * m[0] + y * m[4] + z * m[8], x * m[1] + y * m[5] + z * m[9],
                     x * m[2] + y * m[6] + z * m[10]);
}

void NObject::draw(int shadeType) {
    SavedState saved(kAllAttributes);
    glMultMatrixf(orientation);
    if (!refuses(shadeType)) {
        if (shadeType == static_cast<int>(ShadeType::LightMap) && lightReady) {
            refreshLightVector();
        } else if (shadeType == static_cast<int>(ShadeType::Shadow)) {
            refreshLightVector();
            for (Face* face : faces) {
                face->updateFacing();
            }
        }
        for (auto& mesh : meshes) {
            cullFor(*mesh, shadeType);
            mesh->draw(shadeType);
        }
    }
}

void NObject::cullFor(const Mesh& mesh, int shadeType) const {
    if (!cullClosedMeshes || shadeType == static_cast<int>(ShadeType::Shadow)) {
        return;
    }
    if (mesh.isClosed()) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void NObject::drawTexturedLightMapped() {
    // Without its texture or its light the model draws the two passes, with their messages.
    if (!lightReady || !textureReady) {
        draw(ShadeType::Texture);
        draw(ShadeType::LightMap);
        return;
    }
    drawEachMesh(ShadeType::Texture, &Mesh::drawTexturedLightMapped);
}

void NObject::drawFlatLightMapped() {
    const bool onePass =
        lightReady && std::all_of(meshes.begin(), meshes.end(),
                                  [](const auto& mesh) { return mesh->generatesLightMap(); });
    if (!onePass) {
        draw(ShadeType::Flat);
        draw(ShadeType::LightMap);
        return;
    }
    drawEachMesh(ShadeType::Flat, &Mesh::drawFlatLightMapped);
}

void NObject::drawEachMesh(ShadeType culledAs, void (Mesh::*drawMesh)()) {
    SavedState saved(kAllAttributes);
    glMultMatrixf(orientation);
    refreshLightVector();
    for (auto& mesh : meshes) {
        cullFor(*mesh, static_cast<int>(culledAs));
        ((*mesh).*drawMesh)();
    }
}
