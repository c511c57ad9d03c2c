// Fuzz target: arbitrary text through the OBJ parser. Whatever comes in, every element must
// name an existing vertex, faces come in whole triangles, the per-vertex lists match the
// vertex count, and the mesh built from the result survives normals and ray tests.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "render/Mesh.h"
#include "render/ObjLoader.h"

#define CHECK(condition)                                            \
    do {                                                            \
        if (!(condition)) {                                         \
            std::fprintf(stderr, "check failed: %s\n", #condition); \
            std::abort();                                           \
        }                                                           \
    } while (0)

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The index diagnostics go to standard output; thousands of them per second only slow
    // the run down.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    ObjData obj;
    parseObj(reinterpret_cast<const char*>(data), static_cast<int>(size), &obj);

    CHECK(obj.vertices != nullptr);
    int count = obj.vertices->size();
    if (obj.elements) {
        CHECK(obj.elements->size() > 0);
        CHECK(obj.elements->size() % 3 == 0);
        for (unsigned short index : *obj.elements) CHECK(index < count);
    }
    if (obj.normals) CHECK(obj.normals->size() == count);
    if (obj.texcoords) CHECK(obj.texcoords->size() == count);

    // The same lists in an unbuffered mesh: the CPU paths that read them by index.
    Mesh mesh;
    mesh.vertices = obj.vertices.release();
    mesh.elements = obj.elements.release();
    mesh.cullFace = size % 2 == 0;
    RaycastInfo info;
    mesh.raycast(Ray{Vector3(0.1f, 0.2f, 10), Vector3(0, 0, -1)}, &info);
    CHECK(info.distance == -1 || info.distance >= 0);
    if (mesh.elements) {
        mesh.computeNormals();
        CHECK(mesh.normals->size() == count);
    }
    return 0;
}
