// Mesh: list bookkeeping, GL uploads as packed float/uint16 arrays, quad generation, smoothed
// normals and the ray test shared by picking.
#include "render/Mesh.h"

#include <cmath>
#include <vector>

#include "core/Log.h"
#include "platform/GL.h"
#include "render/GLBuffer.h"

namespace {

// The list types carry a vtable pointer per element, so their memory is never handed to GL:
// each upload packs the plain components, and Material's attribute pointers describe exactly
// these arrays (positions and normals 3 floats, colours 4, texcoords 2, indices uint16).
std::vector<float> pack(const List<Vector3>& list) {
    std::vector<float> out;
    out.reserve(static_cast<size_t>(list.size()) * 3);
    for (const Vector3& v : list) {
        out.push_back(v.x);
        out.push_back(v.y);
        out.push_back(v.z);
    }
    return out;
}

std::vector<float> pack(const List<Vector2>& list) {
    std::vector<float> out;
    out.reserve(static_cast<size_t>(list.size()) * 2);
    for (const Vector2& v : list) {
        out.push_back(v.x);
        out.push_back(v.y);
    }
    return out;
}

std::vector<float> pack(const List<Color>& list) {
    std::vector<float> out;
    out.reserve(static_cast<size_t>(list.size()) * 4);
    for (const Color& c : list) {
        out.push_back(c.r);
        out.push_back(c.g);
        out.push_back(c.b);
        out.push_back(c.a);
    }
    return out;
}

void upload(GLBuffer*& buffer, int bytes, void* data, unsigned int target, unsigned int usage) {
    if (buffer) {
        buffer->update(bytes, data);
    } else {
        buffer = new GLBuffer(bytes, data, target, usage);
    }
}

void requireBuffered(bool buffered) {
    if (!buffered) throw "Mesh is not buffered.";
}

template <typename T>
void deleteList(List<T>*& list) {
    delete list;
    list = nullptr;
}

void deleteBuffer(GLBuffer*& buffer) {
    delete buffer;
    buffer = nullptr;
}

int entries(int size, int recordBytes, const void* data) {
    if (!data || size <= 0) return 0;
    return size / recordBytes;
}

bool inside(const Vector3& a, const Vector3& b, const Vector3& h, const Vector3& n) {
    // A NaN compares false, so it counts as outside.
    return dot(cross(b - a, h - a), n) >= 0;
}

}  // namespace

Mesh::Mesh() = default;

Mesh::Mesh(unsigned int usage) : buffered(true), usage(usage) {}

Mesh::~Mesh() {
    clearVertices();
    clearNormals();
    clearColors();
    clearTexcoords();
    clearElements();
}

void Mesh::updateVertices() {
    requireBuffered(buffered);
    if (!vertices) return;
    std::vector<float> packed = pack(*vertices);
    upload(verticesBuffer, static_cast<int>(packed.size() * sizeof(float)), packed.data(), GL_ARRAY_BUFFER,
           usage);
}

void Mesh::updateNormals() {
    requireBuffered(buffered);
    if (!normals) return;
    std::vector<float> packed = pack(*normals);
    upload(normalsBuffer, static_cast<int>(packed.size() * sizeof(float)), packed.data(), GL_ARRAY_BUFFER,
           usage);
}

void Mesh::updateColors() {
    requireBuffered(buffered);
    if (!colors) return;
    std::vector<float> packed = pack(*colors);
    upload(colorsBuffer, static_cast<int>(packed.size() * sizeof(float)), packed.data(), GL_ARRAY_BUFFER,
           usage);
}

void Mesh::updateTexcoords() {
    requireBuffered(buffered);
    if (!texcoords) return;
    std::vector<float> packed = pack(*texcoords);
    upload(texcoordsBuffer, static_cast<int>(packed.size() * sizeof(float)), packed.data(), GL_ARRAY_BUFFER,
           usage);
}

void Mesh::updateElements() {
    requireBuffered(buffered);
    if (!elements) return;
    // Only whole triangles reach GL, so the element count Material reads back from the
    // buffer never includes a trailing partial triangle.
    int bytes = triangleCount() * 3 * static_cast<int>(sizeof(unsigned short));
    upload(elementsBuffer, bytes, elements->data(), GL_ELEMENT_ARRAY_BUFFER, usage);
}

void Mesh::clearVertices() {
    deleteList(vertices);
    deleteBuffer(verticesBuffer);
}

void Mesh::clearNormals() {
    deleteList(normals);
    deleteBuffer(normalsBuffer);
}

void Mesh::clearColors() {
    deleteList(colors);
    deleteBuffer(colorsBuffer);
}

void Mesh::clearTexcoords() {
    deleteList(texcoords);
    deleteBuffer(texcoordsBuffer);
}

void Mesh::clearElements() {
    deleteList(elements);
    deleteBuffer(elementsBuffer);
}

void Mesh::setVertices(int size, float* data) {
    clearVertices();
    int count = entries(size, 12, data);
    vertices = new List<Vector3>();
    vertices->reserve(count);
    for (int i = 0; i < count; i++) vertices->add(Vector3(data[3 * i], data[3 * i + 1], data[3 * i + 2]));
    if (buffered) updateVertices();
}

void Mesh::setColors(int size, float* data) {
    clearColors();
    int count = entries(size, 12, data);
    colors = new List<Color>();
    colors->reserve(count);
    for (int i = 0; i < count; i++) colors->add(Color{data[3 * i], data[3 * i + 1], data[3 * i + 2], 1.0f});
    if (buffered) updateColors();
}

void Mesh::setTexcoords(int size, float* data) {
    clearTexcoords();
    int count = entries(size, 8, data);
    texcoords = new List<Vector2>();
    texcoords->reserve(count);
    for (int i = 0; i < count; i++) texcoords->add(Vector2(data[2 * i], data[2 * i + 1]));
    if (buffered) updateTexcoords();
}

void Mesh::setElements(int size, unsigned short* data) {
    clearElements();
    int count = entries(size, 2, data);
    elements = new List<unsigned short>();
    elements->reserve(count);
    for (int i = 0; i < count; i++) elements->add(data[i]);
    if (buffered) updateElements();
}

void Mesh::createBuffers() {
    if (!buffered) return;
    if (vertices && !verticesBuffer) updateVertices();
    if (normals && !normalsBuffer) updateNormals();
    if (colors && !colorsBuffer) updateColors();
    if (texcoords && !texcoordsBuffer) updateTexcoords();
    if (elements && !elementsBuffer) updateElements();
}

void Mesh::releaseBuffers() {
    deleteBuffer(verticesBuffer);
    deleteBuffer(normalsBuffer);
    deleteBuffer(colorsBuffer);
    deleteBuffer(texcoordsBuffer);
    deleteBuffer(elementsBuffer);
}

void Mesh::generatePlane(Matrix4x4 m) {
    if (!vertices) vertices = new List<Vector3>();
    if (!elements) elements = new List<unsigned short>();
    int first = vertices->size();

    vertices->add(m.translateVector(Vector3(-1, 1, 0)));
    vertices->add(m.translateVector(Vector3(1, 1, 0)));
    vertices->add(m.translateVector(Vector3(1, -1, 0)));
    vertices->add(m.translateVector(Vector3(-1, -1, 0)));
    if (buffered) updateVertices();

    if (texcoords) {
        texcoords->add(Vector2(0, 1));
        texcoords->add(Vector2(1, 1));
        texcoords->add(Vector2(1, 0));
        texcoords->add(Vector2(0, 0));
        if (buffered) updateTexcoords();
    }

    // 16-bit indices cannot reach a corner past 65535; wrapping would silently stitch the
    // quad to unrelated vertices, so such a quad keeps its corners but gets no triangles.
    if (first + 3 > 0xFFFF) {
        log("Mesh plane is beyond 16-bit indices (%d vertices)\n", first);
        return;
    }
    unsigned short base = static_cast<unsigned short>(first);
    const unsigned short quad[6] = {base,
                                    static_cast<unsigned short>(base + 3),
                                    static_cast<unsigned short>(base + 1),
                                    static_cast<unsigned short>(base + 1),
                                    static_cast<unsigned short>(base + 3),
                                    static_cast<unsigned short>(base + 2)};
    for (unsigned short index : quad) elements->add(index);
    if (buffered) updateElements();
}

Mesh* Mesh::createPlane(Matrix4x4 m) {
    Mesh* mesh = new Mesh();
    mesh->generatePlane(m);
    return mesh;
}

Mesh* Mesh::createTexturedPlane(unsigned int usage, Matrix4x4 m) {
    Mesh* mesh = new Mesh(usage);
    mesh->texcoords = new List<Vector2>();
    mesh->generatePlane(m);
    return mesh;
}

void Mesh::computeNormals() {
    if (!vertices) throw "Compute normals requires vertices";
    if (!elements) throw "Compute normals requires elements";
    clearNormals();
    int count = vertices->size();
    normals = new List<Vector3>();
    normals->reserve(count);
    for (int i = 0; i < count; i++) normals->add(Vector3());
    std::vector<int> contributions(static_cast<size_t>(count), 0);

    int triangles = triangleCount();
    for (int k = 0; k < triangles; k++) {
        int corner[3] = {elements->at(3 * k), elements->at(3 * k + 1), elements->at(3 * k + 2)};
        // A triangle naming a vertex that does not exist cannot shape any normal.
        if (corner[0] >= count || corner[1] >= count || corner[2] >= count) continue;
        const Vector3& p0 = vertices->at(corner[0]);
        Vector3 n = cross(vertices->at(corner[1]) - p0, vertices->at(corner[2]) - p0);
        n = n / length(n);
        for (int i : corner) {
            int seen = ++contributions[static_cast<size_t>(i)];
            Vector3& normal = normals->at(i);
            if (seen == 1) {
                normal = n;
            } else {
                float share = 1.0f / static_cast<float>(seen);
                normal = normalize(normal * (1.0f - share) + n * share);
            }
        }
    }
    if (buffered) updateNormals();
}

void Mesh::raycast(Ray ray, RaycastInfo* info) {
    if (!elements || !vertices) return;
    int count = vertices->size();
    int triangles = triangleCount();
    const Vector3& origin = ray.origin;
    const Vector3& direction = ray.direction;
    for (int k = 0; k < triangles; k++) {
        int i0 = elements->at(3 * k);
        int i1 = elements->at(3 * k + 1);
        int i2 = elements->at(3 * k + 2);
        if (i0 >= count || i1 >= count || i2 >= count) continue;
        const Vector3& p0 = vertices->at(i0);
        const Vector3& p1 = vertices->at(i1);
        const Vector3& p2 = vertices->at(i2);

        Vector3 n = cross(p1 - p0, p2 - p1);
        float denom = dot(direction, n);
        bool facing = denom < 0;
        if (cullFace && !facing) continue;
        float t = -dot(origin - p0, n) / denom;
        // A ray parallel to the plane gives an infinite or NaN t: no hit.
        if (!std::isfinite(t) || t < 0) continue;
        if (info->distance >= 0 && info->distance <= t) continue;
        Vector3 hit = origin + direction * t;
        if (!inside(p0, p1, hit, n) || !inside(p1, p2, hit, n) || !inside(p2, p0, hit, n)) continue;
        info->distance = t;
        info->point = hit;
        info->normal = facing ? n : -n;
    }
}

int Mesh::triangleCount() const { return elements ? elements->size() / 3 : 0; }
