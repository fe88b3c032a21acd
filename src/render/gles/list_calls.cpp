// Display lists: a list records its primitives into GL ES buffers and its bitmaps into
// textures, once; calling it draws them with the state current then. What the show
// compiles is primitives and bitmaps, so other calls made while recording act at once, and
// primitives next to each other in a list draw alike: they are joined into one buffer.
#include <algorithm>

#include "render/gles/context.h"
#include "render/gles/entry_points.h"

namespace render::gles {

namespace {

// GL's own limit on lists calling lists.
constexpr int kMaxListNesting = 64;

void release(Context& c, ListCommand& command) {
    // GL ES binds 0 in place of a bound object that is deleted.
    EsState& es = c.es;
    if (command.array != 0) {
        glDeleteVertexArrays(1, &command.array);
        if (es.vertexArray == command.array) {
            es.vertexArray = 0;
        }
    }
    if (command.buffer != 0) {
        glDeleteBuffers(1, &command.buffer);
        if (es.arrayBuffer == command.buffer) {
            es.arrayBuffer = 0;
        }
    }
    if (command.bitmapTexture != 0) {
        glDeleteTextures(1, &command.bitmapTexture);
        for (GLuint& object : es.textures) {
            if (object == command.bitmapTexture) {
                object = 0;
            }
        }
    }
}

// Primitives of one kind next to each other become one; each then gets its buffer.
void storeDraws(Context& c, std::vector<ListCommand>& commands) {
    std::vector<ListCommand> joined;
    for (ListCommand& command : commands) {
        const bool join =
            command.kind == ListCommand::Kind::Draw && !joined.empty() &&
            joined.back().kind == ListCommand::Kind::Draw && joined.back().mode == command.mode &&
            (command.mode == GL_TRIANGLES || command.mode == GL_LINES || command.mode == GL_POINTS);
        if (join) {
            auto& into = joined.back().vertices;
            into.insert(into.end(), command.vertices.begin(), command.vertices.end());
        } else {
            joined.push_back(std::move(command));
        }
    }
    for (ListCommand& command : joined) {
        if (command.kind != ListCommand::Kind::Draw) {
            continue;
        }
        command.count = static_cast<GLsizei>(command.vertices.size());
        glGenVertexArrays(1, &command.array);
        glGenBuffers(1, &command.buffer);
        bindVertexArray(c, command.array);
        bindArrayBuffer(c, command.buffer);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(command.vertices.size() * sizeof(Vertex)),
                     command.vertices.data(), GL_STATIC_DRAW);
        setUpVertexLayout();
        command.vertices = {};
    }
    commands = std::move(joined);
}

void applyCurrent(Current& to, const ListCommand& command) {
    const Current& from = command.current;
    if (command.currentSet & kSetColor) {
        std::copy(from.color, from.color + 4, to.color);
    }
    if (command.currentSet & kSetNormal) {
        std::copy(from.normal, from.normal + 3, to.normal);
    }
    for (int u = 0; u < kUnitCount; ++u) {
        if (command.currentSet & (kSetTexCoord << u)) {
            std::copy(from.texCoord[u], from.texCoord[u] + 2, to.texCoord[u]);
        }
    }
}

}  // namespace

void executeList(Context& c, GLuint list, int depth) {
    auto found = c.lists.find(list);
    if (found == c.lists.end() || depth > kMaxListNesting) {
        return;
    }
    for (const ListCommand& command : found->second.commands) {
        switch (command.kind) {
            case ListCommand::Kind::Draw:
                drawArray(c, command.mode, command.array, command.count);
                break;
            case ListCommand::Kind::Bitmap:
                drawBitmap(c, command.bitmapTexture, command.bitmap);
                break;
            case ListCommand::Kind::Call:
                executeList(c, command.list, depth + 1);
                break;
            case ListCommand::Kind::Current:
                applyCurrent(c.state.current, command);
                break;
        }
    }
}

GLuint GenLists(GLsizei range) {
    Context& c = context();
    if (range < 0) {
        c.fail(GL_INVALID_VALUE);
        return 0;
    }
    if (range == 0) {
        return 0;
    }
    const GLuint first = c.nextList;
    c.nextList += static_cast<GLuint>(range);
    for (GLuint i = first; i < c.nextList; ++i) {
        c.lists[i];
    }
    return first;
}

void NewList(GLuint list, GLenum mode) {
    Context& c = context();
    if (list == 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    if (c.recording != 0 || c.inBegin) {
        c.fail(GL_INVALID_OPERATION);
        return;
    }
    if (mode != GL_COMPILE) {
        c.fail(GL_INVALID_ENUM);
        return;
    }
    c.recording = list;
    c.recorded.commands.clear();
    c.recordedCurrent = 0;
    c.currentBeforeList = c.state.current;
}

void EndList() {
    Context& c = context();
    if (c.recording == 0 || c.inBegin) {
        c.fail(GL_INVALID_OPERATION);
        return;
    }
    if (c.recordedCurrent != 0) {
        ListCommand command;
        command.kind = ListCommand::Kind::Current;
        command.current = c.state.current;
        command.currentSet = c.recordedCurrent;
        c.recorded.commands.push_back(command);
    }
    // Compiling does not execute: the current values are the caller's again.
    c.state.current = c.currentBeforeList;
    flush(c);
    storeDraws(c, c.recorded.commands);
    DisplayList& list = c.lists[c.recording];
    for (ListCommand& command : list.commands) {
        release(c, command);
    }
    list = std::move(c.recorded);
    c.recorded = DisplayList{};
    c.recording = 0;
}

void CallList(GLuint list) {
    Context& c = context();
    if (c.recording != 0) {
        ListCommand command;
        command.kind = ListCommand::Kind::Call;
        command.list = list;
        c.recorded.commands.push_back(command);
        return;
    }
    executeList(c, list, 0);
}

void DeleteLists(GLuint list, GLsizei range) {
    Context& c = context();
    if (range < 0) {
        c.fail(GL_INVALID_VALUE);
        return;
    }
    flush(c);
    for (GLuint i = list; i < list + static_cast<GLuint>(range); ++i) {
        auto found = c.lists.find(i);
        if (found == c.lists.end()) {
            continue;
        }
        for (ListCommand& command : found->second.commands) {
            release(c, command);
        }
        c.lists.erase(found);
    }
}

}  // namespace render::gles
