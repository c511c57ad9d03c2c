// Material: draws one Mesh with one set of matrices, colours, lights and an optional
// Texture. The shader build owns a ShaderProgram and uploads uniforms and attribute arrays;
// the fixed-function build drives the OpenGL 1.x pipeline instead (platform/<build>/Material.cpp).
// After every draw, including one that throws, depth test, culling and blending are off and
// no program is bound.
#pragma once

#include "math/Color.h"
#include "math/Matrix4x4.h"

class Mesh;
class ShaderProgram;
class Texture;

class Material {
public:
    ShaderProgram* program = nullptr;  // owned

    // GL locations of the program's interface names; -1 for an optional name it lacks.
    int v_coord = -1;
    int v_normal = -1;
    int v_color = -1;
    int v_texcoord = -1;
    int mvp = -1;
    int m = -1;
    int m_3x3 = -1;
    int v_inv = -1;
    int scene_ambient = -1;
    int mat_ambient = -1;
    int mat_diffuse = -1;
    int mat_specular = -1;
    int mat_shininess = -1;
    int lightsLocation = -1;  // "lights" (the table itself is the field below)
    int lights_count = -1;
    int is_textured = -1;
    int is_textured_f = -1;
    int texture = -1;

    bool depthTest = true;
    // Only fragments whose alpha is above 0.5 are drawn (and so write depth): the
    // textured-gt-0-5 pair, whose masks shape the depth buffer. The registry sets it for
    // Resources::TEXTURED_ALPHA_GT_0_5_MATERIAL. The shader build's program discards the
    // other fragments itself; the fixed-function build turns on GL's alpha test for the draw
    // and puts the test back as it found it.
    bool alphaAboveHalf = false;
    Color sceneAmbient{1, 1, 1, 1};
    Color ambient{1, 1, 1, 1};
    Color diffuse{1, 1, 1, 1};
    Color specular{1, 1, 1, 1};
    float shininess = 5.0f;
    int lightsCount = 0;
    float* lights = nullptr;  // LightRecord::FLOATS floats per light (render/LightRecord.h); not owned

    // Takes ownership of the program and looks its names up; throws (and deletes the
    // program) when "v_coord" or "mvp" is missing.
    explicit Material(ShaderProgram* program);
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;
    ~Material();

    // One draw; texture may be null. Throws "Cannot render not buffered mesh." (shader
    // build), "Projection matrix is required", "View matrix is required", "Model matrix is
    // required" before touching GL, and "Vertices are required" / "Colors are required"
    // (shader build). Computes the mesh's normals on first need. Allocates nothing else.
    void render(Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model, Mesh* mesh, Texture* texture);
};
