// OBJ text to mesh lists: positions, normals, texture coordinates and faces, the mesh's own
// indexing following the position indices.
#include "render/ObjLoader.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "core/Buffer.h"
#include "render/Mesh.h"

namespace {

// Elements are 16-bit: no position beyond this index can be addressed.
const long long MAX_ELEMENT = 0xFFFF;
const long long SATURATED_INDEX = 2147483648LL;

struct Corner {
    long long position = 0;  // 0-based
    long long texcoord = 0;
    long long normal = 0;
    bool hasTexcoord = false;
    bool hasNormal = false;
};

class Parser {
public:
    explicit Parser(ObjData* out) : out(out) {}

    void parse(const char* text, int size) {
        int start = 0;
        while (start < size) {
            const char* from = text + start;
            const void* newline = memchr(from, '\n', static_cast<size_t>(size - start));
            int length = newline ? static_cast<int>(static_cast<const char*>(newline) - from) : size - start;
            line.assign(from, static_cast<size_t>(length));
            while (!line.empty() && line.back() == '\r') line.pop_back();
            parseLine();
            start += length + 1;
        }
        finish();
    }

private:
    ObjData* out;
    // Held by pointer so that finish() hands them over without copying.
    std::unique_ptr<List<Vector3>> positions = std::make_unique<List<Vector3>>();
    std::unique_ptr<List<Vector3>> fileNormals = std::make_unique<List<Vector3>>();
    std::unique_ptr<List<Vector2>> fileTexcoords = std::make_unique<List<Vector2>>();
    std::unique_ptr<List<Vector3>> normalsByPosition = std::make_unique<List<Vector3>>();
    std::unique_ptr<List<Vector2>> texcoordsByPosition = std::make_unique<List<Vector2>>();
    std::unique_ptr<List<unsigned short>> elements = std::make_unique<List<unsigned short>>();
    bool texcoordIndexSeen = false;
    bool normalIndexSeen = false;

    std::string line;             // the current line, NUL-terminated for strtof
    std::vector<Corner> corners;  // the current face, reused between lines

    bool startsWith(const char* keyword) const { return line.compare(0, strlen(keyword), keyword) == 0; }

    void parseLine() {
        if (startsWith("v ")) {
            float v[3];
            readFloats(line.c_str() + 2, v, 3);
            positions->add(Vector3(v[0], v[1], v[2]));
            normalsByPosition->add(Vector3());
            texcoordsByPosition->add(Vector2());
        } else if (startsWith("vn ")) {
            float v[3];
            readFloats(line.c_str() + 3, v, 3);
            fileNormals->add(Vector3(v[0], v[1], v[2]));
        } else if (startsWith("vt ")) {
            float v[2];
            readFloats(line.c_str() + 3, v, 2);
            fileTexcoords->add(Vector2(v[0], v[1]));
        } else if (startsWith("f ")) {
            parseFace(2);
        }
    }

    // Reads up to `count` numbers; from the first that does not parse (or is not finite)
    // on, the components are 0.
    static void readFloats(const char* text, float* values, int count) {
        for (int i = 0; i < count; i++) values[i] = 0;
        for (int i = 0; i < count; i++) {
            char* end = nullptr;
            float value = strtof(text, &end);
            if (end == text || !std::isfinite(value)) return;
            values[i] = value;
            text = end;
        }
    }

    // A whole signed decimal integer in [from, to); saturates at 2^31, far beyond any index
    // an element can hold, so that the reported 0-based index still fits an int.
    static bool readIndex(const char* from, const char* to, long long* value) {
        bool negative = false;
        if (from < to && (*from == '-' || *from == '+')) {
            negative = *from == '-';
            from++;
        }
        if (from == to) return false;
        long long result = 0;
        for (; from < to; from++) {
            if (*from < '0' || *from > '9') return false;
            result = result * 10 + (*from - '0');
            if (result > SATURATED_INDEX) result = SATURATED_INDEX;
        }
        *value = negative ? -result : result;
        return true;
    }

    // One token p, p/t, p//n or p/t/n. A part that is not a number spoils the face.
    static bool readCorner(const char* from, const char* to, Corner* corner) {
        const char* partEnd[3] = {to, to, to};
        const char* partStart[3] = {from, to, to};
        int parts = 1;
        for (const char* c = from; c < to && parts < 3; c++) {
            if (*c == '/') {
                partEnd[parts - 1] = c;
                partStart[parts] = c + 1;
                parts++;
            }
        }
        // Parts past the third (p/t/n/x) are ignored.
        if (parts == 3) {
            const void* slash = memchr(partStart[2], '/', static_cast<size_t>(to - partStart[2]));
            if (slash) partEnd[2] = static_cast<const char*>(slash);
        }
        long long value = 0;
        if (!readIndex(partStart[0], partEnd[0], &value)) return false;
        corner->position = value - 1;
        corner->hasTexcoord = parts > 1 && partStart[1] < partEnd[1];
        if (corner->hasTexcoord) {
            if (!readIndex(partStart[1], partEnd[1], &value)) return false;
            corner->texcoord = value - 1;
        }
        corner->hasNormal = parts > 2 && partStart[2] < partEnd[2];
        if (corner->hasNormal) {
            if (!readIndex(partStart[2], partEnd[2], &value)) return false;
            corner->normal = value - 1;
        }
        return true;
    }

    // The diagnostic List::get prints for an index outside a list.
    static void reportIndex(long long index) {
        if (index < INT_MIN) index = INT_MIN;
        printf("List get index overflow: %d", static_cast<int>(index));
    }

    static bool within(long long index, long long count) { return index >= 0 && index < count; }

    void parseFace(size_t from) {
        corners.clear();
        const char* text = line.c_str();
        size_t length = line.size();
        size_t i = from;
        while (i < length) {
            while (i < length && (text[i] == ' ' || text[i] == '\t')) i++;
            if (i >= length || text[i] == '#') break;
            size_t end = i;
            while (end < length && text[end] != ' ' && text[end] != '\t') end++;
            Corner corner;
            if (!readCorner(text + i, text + end, &corner)) return;
            corners.push_back(corner);
            i = end;
        }
        if (corners.size() < 3) return;

        bool valid = true;
        long long positionCount = positions->size();
        for (const Corner& c : corners) {
            if (!within(c.position, positionCount) || c.position > MAX_ELEMENT) {
                reportIndex(c.position);
                valid = false;
            }
            if (c.hasTexcoord && !within(c.texcoord, fileTexcoords->size())) {
                reportIndex(c.texcoord);
                valid = false;
            }
            if (c.hasNormal && !within(c.normal, fileNormals->size())) {
                reportIndex(c.normal);
                valid = false;
            }
        }
        if (!valid) return;

        for (const Corner& c : corners) {
            int p = static_cast<int>(c.position);
            if (c.hasTexcoord) {
                texcoordsByPosition->at(p) = fileTexcoords->at(static_cast<int>(c.texcoord));
                texcoordIndexSeen = true;
            }
            if (c.hasNormal) {
                normalsByPosition->at(p) = fileNormals->at(static_cast<int>(c.normal));
                normalIndexSeen = true;
            }
        }
        // A polygon becomes the fan 0-1-2, 0-2-3, ... of its corners.
        for (size_t k = 1; k + 1 < corners.size(); k++) {
            elements->add(static_cast<unsigned short>(corners[0].position));
            elements->add(static_cast<unsigned short>(corners[k].position));
            elements->add(static_cast<unsigned short>(corners[k + 1].position));
        }
    }

    void finish() {
        int count = positions->size();
        out->vertices = std::move(positions);
        if (fileNormals->size() > 0) {
            if (normalIndexSeen) {
                out->normals = std::move(normalsByPosition);
            } else if (fileNormals->size() == count) {
                out->normals = std::move(fileNormals);
            }
            // Otherwise the file's normals cannot be matched to positions; drawing computes
            // normals from the faces instead of reading past a short list.
        }
        if (fileTexcoords->size() > 0) {
            if (texcoordIndexSeen) {
                out->texcoords = std::move(texcoordsByPosition);
            } else {
                // Taken in position order, one per position: extra entries are dropped and
                // missing ones are (0, 0).
                out->texcoords = std::make_unique<List<Vector2>>();
                out->texcoords->reserve(count);
                for (int i = 0; i < count; i++) {
                    out->texcoords->add(i < fileTexcoords->size() ? fileTexcoords->at(i) : Vector2());
                }
            }
        }
        if (elements->size() > 0) out->elements = std::move(elements);
    }
};

}  // namespace

void parseObj(const char* text, int size, ObjData* out) {
    out->vertices.reset();
    out->normals.reset();
    out->texcoords.reset();
    out->elements.reset();
    Parser parser(out);
    parser.parse(text, text ? size : 0);
}

void Mesh::loadObj(Buffer* obj) {
    // Refuse before anything is cleared, so a failed load leaves the mesh as it was.
    if (!buffered) throw "Mesh is not buffered.";
    ObjData data;
    parseObj(obj ? reinterpret_cast<const char*>(obj->data) : nullptr, obj ? obj->size : 0, &data);

    clearVertices();
    clearNormals();
    clearTexcoords();
    clearElements();
    vertices = data.vertices.release();
    updateVertices();
    if (data.normals) {
        normals = data.normals.release();
        updateNormals();
    }
    if (data.texcoords) {
        texcoords = data.texcoords.release();
        updateTexcoords();
    }
    if (data.elements) {
        elements = data.elements.release();
        updateElements();
    }
}
