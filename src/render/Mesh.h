// Mesh: an indexed triangle mesh kept as lists in main memory and, when buffered, as one GL
// buffer per list. Drawn by Material, ray-tested by MeshCollider, loaded from OBJ text or
// generated as unit quads. The mesh owns its lists and buffers.
#pragma once

#include "core/List.h"
#include "math/Color.h"
#include "math/Matrix4x4.h"
#include "math/Raycast.h"
#include "math/Vector2.h"
#include "math/Vector3.h"

class Buffer;
class GLBuffer;

class Mesh {
public:
    List<Vector3>* vertices = nullptr;
    GLBuffer* verticesBuffer = nullptr;
    List<Vector3>* normals = nullptr;
    GLBuffer* normalsBuffer = nullptr;
    List<Color>* colors = nullptr;
    GLBuffer* colorsBuffer = nullptr;
    List<Vector2>* texcoords = nullptr;
    GLBuffer* texcoordsBuffer = nullptr;
    List<unsigned short>* elements = nullptr;  // three per triangle, counter-clockwise front
    GLBuffer* elementsBuffer = nullptr;
    bool buffered = false;   // only a buffered mesh has GL buffers and can be drawn
    unsigned int usage = 0;  // GL usage hint of the buffers
    bool cullFace = true;    // false: both sides are drawn and hit

    Mesh();
    explicit Mesh(unsigned int usage);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    ~Mesh();

    // Upload a list into its buffer; throw "Mesh is not buffered." on an unbuffered mesh.
    void updateVertices();
    void updateNormals();
    void updateColors();
    void updateTexcoords();
    void updateElements();
    // Delete a list and then its buffer.
    void clearVertices();
    void clearNormals();
    void clearColors();
    void clearTexcoords();
    void clearElements();

    // Replace a list from a flat array (size in bytes); uploads when buffered.
    void setVertices(int size, float* data);
    void setColors(int size, float* data);
    void setTexcoords(int size, float* data);
    void setElements(int size, unsigned short* data);

    void createBuffers();
    void releaseBuffers();

    // Appends the unit quad (-1..1 in x and y) transformed by m: two counter-clockwise
    // triangles facing +z, texcoords only when the list exists. A quad whose corners would
    // not fit 16-bit indices gets no triangles.
    void generatePlane(Matrix4x4 m);
    static Mesh* createPlane(Matrix4x4 m);
    static Mesh* createTexturedPlane(unsigned int usage, Matrix4x4 m);

    // Smoothed unit normals per vertex; throws "Compute normals requires vertices" /
    // "Compute normals requires elements".
    void computeNormals();
    // Nearest hit of a ray given in the mesh's own coordinates (back faces only when
    // cullFace is false); sets info's distance, point and unnormalised normal when the hit
    // is nearer than info's distance, or info's distance is negative. Allocates nothing.
    void raycast(Ray ray, RaycastInfo* info);
    // Fills this buffered mesh from Wavefront OBJ text (see render/ObjLoader.h); throws
    // "Mesh is not buffered." before changing anything. Colours are left as they are.
    void loadObj(Buffer* obj);

    // Whole triangles in the element list. A trailing partial triangle, and triangles that
    // name a vertex that does not exist, are never drawn, hit or used for normals.
    int triangleCount() const;
};
