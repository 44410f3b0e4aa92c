// Display lists: what immediate mode draws between glNewList and glEndList, as indexed
// triangles in a vertex array of the list's own, drawn with one call. Each list keeps its
// vertices and indices as it uploaded them, to fill its buffers again after a restore.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "web/gl/layer.h"

namespace layer {
namespace {

// A display list: its triangles as indices into the distinct vertices they share, so
// that a vertex of a strip or fan is lit once, not once for each triangle it is in.
struct List {
    GLuint vao = 0;
    GLuint buffer = 0;
    GLuint indexBuffer = 0;
    std::vector<Vertex> vertices;  // as uploaded, kept for a restore
    std::vector<GLuint> indices;
};
std::vector<List> lists(1);  // list 0 is never a list
std::vector<Vertex> recording;
GLuint recordingName = 0;
std::vector<int> vertexSlots;  // where each distinct vertex sits in the hash table

// What a display list draws with: position, normal, colour and texture coordinate.
constexpr size_t kListVertexBytes = offsetof(Vertex, other);

uint32_t hashVertex(const Vertex& v) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&v);
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < kListVertexBytes; ++i) {
        h = (h ^ bytes[i]) * 16777619u;
    }
    return h;
}

// The recorded triangles as the list's distinct vertices and indices, in the order
// they came.
void indexRecording(List& list) {
    list.vertices.clear();
    list.indices.clear();
    size_t slots = 64;
    while (slots < recording.size() * 2) {
        slots *= 2;
    }
    vertexSlots.assign(slots, -1);
    for (const Vertex& v : recording) {
        size_t slot = hashVertex(v) & (slots - 1);
        while (vertexSlots[slot] >= 0 &&
               std::memcmp(&list.vertices[vertexSlots[slot]], &v, kListVertexBytes) != 0) {
            slot = (slot + 1) & (slots - 1);
        }
        if (vertexSlots[slot] < 0) {
            vertexSlots[slot] = static_cast<int>(list.vertices.size());
            list.vertices.push_back(v);
        }
        list.indices.push_back(static_cast<GLuint>(vertexSlots[slot]));
    }
    list.vertices.shrink_to_fit();
    list.indices.shrink_to_fit();
}

// The list's vertex array laid out over its buffers (made when it has none yet), and
// its vertices and indices sent.
void upload(List& list) {
    if (list.vao == 0) {
        emscripten_glGenVertexArrays(1, &list.vao);
        emscripten_glGenBuffers(1, &list.buffer);
        emscripten_glGenBuffers(1, &list.indexBuffer);
    }
    bindVao(list.vao);
    bindArrayBuffer(list.buffer);
    layoutVertices(false);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, list.indexBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, list.vertices.size() * sizeof(Vertex),
                            list.vertices.data(), GL_STATIC_DRAW);
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, list.indices.size() * sizeof(GLuint),
                            list.indices.data(), GL_STATIC_DRAW);
}

}  // namespace

GLuint genLists(GLsizei range) {
    if (range <= 0) {
        return 0;
    }
    const GLuint first = static_cast<GLuint>(lists.size());
    lists.resize(lists.size() + range);
    return first;
}

bool recordingList() {
    return recordingName != 0;
}

void newList(GLuint list) {
    if (list == 0 || list >= lists.size() || recordingList()) {
        return;
    }
    recordingName = list;
    recording.clear();
}

// Strips and fans as separate triangles, the order of each triangle's corners kept as
// GL takes them, for a display list's one draw.
void recordTriangles(GLenum mode, const Vertex* v, int count) {
    if (mode == GL_TRIANGLES) {
        recording.insert(recording.end(), v, v + count - count % 3);
    } else if (mode == GL_TRIANGLE_STRIP) {
        for (int i = 0; i + 2 < count; ++i) {
            const bool odd = i % 2 == 1;
            recording.push_back(v[odd ? i + 1 : i]);
            recording.push_back(v[odd ? i : i + 1]);
            recording.push_back(v[i + 2]);
        }
    } else if (mode == GL_TRIANGLE_FAN) {
        for (int i = 1; i + 1 < count; ++i) {
            recording.push_back(v[0]);
            recording.push_back(v[i]);
            recording.push_back(v[i + 1]);
        }
    }
}

void endList() {
    if (!recordingList()) {
        return;
    }
    List& list = lists[recordingName];
    recordingName = 0;
    indexRecording(list);
    upload(list);
    recording.clear();
}

void callList(GLuint name) {
    if (name == 0 || name >= lists.size() || lists[name].indices.empty() || recordingList()) {
        return;
    }
    prepare();
    bindVao(lists[name].vao);
    setConstants();
    emscripten_glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(lists[name].indices.size()),
                              GL_UNSIGNED_INT, nullptr);
}

void restoreLists() {
    for (List& list : lists) {
        if (list.vao != 0) {
            upload(list);
        }
    }
}

size_t keptListBytes() {
    size_t bytes = 0;
    for (const List& list : lists) {
        bytes +=
            list.vertices.capacity() * sizeof(Vertex) + list.indices.capacity() * sizeof(GLuint);
    }
    return bytes;
}

}  // namespace layer

using namespace layer;

extern "C" {

GLuint glGenLists(GLsizei range) {
    return genLists(range);
}
void glNewList(GLuint list, GLenum) {
    newList(list);
}
void glEndList(void) {
    endList();
}
void glCallList(GLuint list) {
    callList(list);
}

}  // extern "C"
