// Mesh: an indexed triangle mesh kept as lists in main memory and, when buffered, as one GL
// buffer per list. Drawn by Material, ray-tested by MeshCollider, loaded from OBJ text or
// generated as unit quads. The mesh owns its lists and buffers.
#pragma once

#include "render/Color.h"
#include "render/Matrix4x4.h"
#include "render/Vector2.h"
#include "render/Vector3.h"
#include "scene/Raycast.h"
#include "storage/List.h"

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

    void generatePlane(Matrix4x4 m);
    static Mesh* createPlane(Matrix4x4 m);
    static Mesh* createTexturedPlane(unsigned int usage, Matrix4x4 m);

    void computeNormals();
    // Nearest front-face hit of a ray given in the mesh's own coordinates.
    void raycast(Ray ray, RaycastInfo* info);
    // Fills this buffered mesh from Wavefront OBJ text.
    void loadObj(Buffer* obj);

    // Whole triangles in the element list (a trailing partial triangle is ignored).
    int triangleCount() const;
};
