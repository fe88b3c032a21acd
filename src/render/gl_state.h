// Scopes for the GL state a drawing step changes: each saves on construction and restores
// on destruction, so an early return cannot leave the state of the next layer changed.
#pragma once

#include "render/gl/gl.h"

// The given attribute groups (all by default) are the caller's again afterwards.
class AttributeScope {
public:
    explicit AttributeScope(GLbitfield groups = GL_ALL_ATTRIB_BITS) { glPushAttrib(groups); }
    ~AttributeScope() { glPopAttrib(); }
    AttributeScope(const AttributeScope&) = delete;
    AttributeScope& operator=(const AttributeScope&) = delete;
};

// The client state groups given (pixel store, vertex arrays) are the caller's again afterwards.
class ClientAttributeScope {
public:
    explicit ClientAttributeScope(GLbitfield groups) { glPushClientAttrib(groups); }
    ~ClientAttributeScope() { glPopClientAttrib(); }
    ClientAttributeScope(const ClientAttributeScope&) = delete;
    ClientAttributeScope& operator=(const ClientAttributeScope&) = delete;
};

// The matrix of `mode` (projection, texture) is the caller's again afterwards. The mode is
// current from the start and again at the end, when it is popped: the caller sets the mode
// it wants after that.
class MatrixScope {
public:
    explicit MatrixScope(GLenum mode) : mode_(mode) {
        glMatrixMode(mode_);
        glPushMatrix();
    }
    ~MatrixScope() {
        glMatrixMode(mode_);
        glPopMatrix();
    }
    MatrixScope(const MatrixScope&) = delete;
    MatrixScope& operator=(const MatrixScope&) = delete;

private:
    GLenum mode_;
};

// The model-view matrix is the caller's again afterwards, and model-view is current.
class ModelviewScope {
public:
    ModelviewScope() {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~ModelviewScope() {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
    ModelviewScope(const ModelviewScope&) = delete;
    ModelviewScope& operator=(const ModelviewScope&) = delete;
};

// Attributes and model-view together, the pair most drawing steps save.
class SavedState {
public:
    explicit SavedState(GLbitfield groups = GL_ALL_ATTRIB_BITS) : attributes_(groups) {}

private:
    AttributeScope attributes_;
    ModelviewScope modelview_;
};

// The current colour is the caller's again afterwards. Mesa's glPopAttrib does not bring a
// colour back reliably: one set inside the scope can stay current, and a glColor the caller
// gave just before a glPushAttrib is lost unless something read it first. So the colour is
// read on entry (which also commits a pending one) and set again on leaving.
class ColorScope {
public:
    ColorScope() { glGetFloatv(GL_CURRENT_COLOR, saved_); }
    ~ColorScope() { glColor4f(saved_[0], saved_[1], saved_[2], saved_[3]); }
    ColorScope(const ColorScope&) = delete;
    ColorScope& operator=(const ColorScope&) = delete;

private:
    GLfloat saved_[4] = {};
};

// The viewport is the caller's again afterwards (the viewport is also part of the
// attribute stack, but captures restore it without saving every attribute).
class ViewportScope {
public:
    ViewportScope() { glGetIntegerv(GL_VIEWPORT, saved_); }
    ~ViewportScope() { glViewport(saved_[0], saved_[1], saved_[2], saved_[3]); }
    ViewportScope(const ViewportScope&) = delete;
    ViewportScope& operator=(const ViewportScope&) = delete;

private:
    GLint saved_[4] = {};
};
