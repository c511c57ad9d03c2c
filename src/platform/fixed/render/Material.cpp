// Material, fixed-function build: matrix stacks, GL lights from the 18-float records and
// immediate-mode triangles straight from the mesh's lists.
#include "render/Material.h"

#include "platform/GL.h"
#include "render/DrawState.h"
#include "render/LightRecord.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

namespace {

// OpenGL 1.x guarantees eight lights; later records are ignored.
const int MAX_GL_LIGHTS = 8;
using namespace LightRecord;

void disableLights() {
    for (int i = 0; i < MAX_GL_LIGHTS; i++) glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
}

// Sets up GL light `i` from a record whose position and direction are in world
// coordinates. Under the view * model modelview, the inverse of model takes them there.
void setLight(int i, const float* record, const Matrix4x4& modelInverse) {
    GLenum light = static_cast<GLenum>(GL_LIGHT0 + i);
    glEnable(light);
    // w = 0 is a direction towards the light: it must not pick up the model's translation.
    // Otherwise the light is the point xyz / w.
    float w = record[POSITION + 3];
    Vector4 at = modelInverse.translateVector(
        w == 0 ? Vector4(record[POSITION], record[POSITION + 1], record[POSITION + 2], 0)
               : Vector4(record[POSITION] / w, record[POSITION + 1] / w, record[POSITION + 2] / w, 1));
    const float position[4] = {at.x, at.y, at.z, at.w};
    glLightfv(light, GL_POSITION, position);
    const float none[4] = {0, 0, 0, 1};
    glLightfv(light, GL_AMBIENT, none);
    // The record carries no alpha of its own; GL's lit alpha comes from the material anyway.
    const float diffuse[4] = {record[DIFFUSE], record[DIFFUSE + 1], record[DIFFUSE + 2], 1};
    glLightfv(light, GL_DIFFUSE, diffuse);
    const float specular[4] = {record[SPECULAR], record[SPECULAR + 1], record[SPECULAR + 2], 1};
    glLightfv(light, GL_SPECULAR, specular);
    glLightf(light, GL_CONSTANT_ATTENUATION, record[CONSTANT_ATTENUATION]);
    glLightf(light, GL_LINEAR_ATTENUATION, record[LINEAR_ATTENUATION]);
    glLightf(light, GL_QUADRATIC_ATTENUATION, record[QUADRATIC_ATTENUATION]);
    glLightf(light, GL_SPOT_CUTOFF, record[SPOT_CUTOFF]);
    glLightf(light, GL_SPOT_EXPONENT, record[SPOT_EXPONENT]);
    Vector4 direction = modelInverse.translateVector(
        Vector4(record[SPOT_DIRECTION], record[SPOT_DIRECTION + 1], record[SPOT_DIRECTION + 2], 0));
    const float spot[3] = {direction.x, direction.y, direction.z};
    glLightfv(light, GL_SPOT_DIRECTION, spot);
}

void materialColor(GLenum face, GLenum name, const Color& c) {
    const float value[4] = {c.r, c.g, c.b, c.a};
    glMaterialfv(face, name, value);
}

// A per-vertex list that does not cover every vertex is not drawn from.
template <typename T>
bool coversVertices(const List<T>* list, const Mesh* mesh) {
    return list && list->size() >= mesh->vertices->size();
}

// Alpha above 0.5 is 128 and up in 8 bits. Drivers compare either in floats or in 8 bits
// with the reference rounded to 8 bits (llvmpipe's fast path turns 0.5 into 128 and so
// drops 128); a reference between 127 and 128 keeps both ways at 128 and up.
const float ALPHA_ABOVE_HALF_REFERENCE = 0.4999f;

// GL's alpha test for one draw of a material that keeps only fragments of alpha above 0.5.
// The display may have set the test itself around a pass of such draws, so the draw puts
// back the switch and the function it found rather than turning the test off.
class AlphaAboveHalf {
public:
    explicit AlphaAboveHalf(bool wanted) : wanted(wanted) {
        if (!wanted) return;
        wasEnabled = glIsEnabled(GL_ALPHA_TEST);
        glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
        glGetFloatv(GL_ALPHA_TEST_REF, &reference);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GREATER, ALPHA_ABOVE_HALF_REFERENCE);
    }
    AlphaAboveHalf(const AlphaAboveHalf&) = delete;
    AlphaAboveHalf& operator=(const AlphaAboveHalf&) = delete;
    ~AlphaAboveHalf() {
        if (!wanted) return;
        glAlphaFunc(static_cast<GLenum>(function), reference);
        if (!wasEnabled) glDisable(GL_ALPHA_TEST);
    }

private:
    bool wanted;
    GLboolean wasEnabled = GL_FALSE;
    GLint function = GL_ALWAYS;
    GLfloat reference = 0;
};

}  // namespace

Material::Material(ShaderProgram* program) : program(program) {}

Material::~Material() { delete program; }

void Material::render(Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model, Mesh* mesh,
                      Texture* texture) {
    requireMatrices(projection, view, model);

    // Only one thing can fail below (the inverse of a singular model while lit): find out
    // before any state changes.
    int lightCount = lights ? (lightsCount < MAX_GL_LIGHTS ? lightsCount : MAX_GL_LIGHTS) : 0;
    bool lit = lightsCount > 0;
    Matrix4x4 modelInverse;
    if (lightCount > 0) modelInverse = model->invert();

    DrawState state(depthTest, mesh, texture);
    state.enable();
    AlphaAboveHalf alphaTest(alphaAboveHalf);

    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection->m);
    glMatrixMode(GL_MODELVIEW);
    Matrix4x4 modelView = *model;
    modelView.mult(*view, false);
    glLoadMatrixf(modelView.m);

    List<Vector3>* positions = mesh->vertices;
    bool hasColors = positions && coversVertices(mesh->colors, mesh);
    if (!lit && !hasColors) {
        glColor4f(sceneAmbient.r * ambient.r, sceneAmbient.g * ambient.g, sceneAmbient.b * ambient.b,
                  ambient.a);
    }
    if (lit) {
        glEnable(GL_NORMALIZE);
        glDisable(GL_COLOR_MATERIAL);
        glEnable(GL_LIGHTING);
        if (!mesh->normals && positions && mesh->elements) mesh->computeNormals();

        const float model_ambient[4] = {sceneAmbient.r, sceneAmbient.g, sceneAmbient.b, sceneAmbient.a};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, model_ambient);
        GLenum face = mesh->cullFace ? GL_FRONT : GL_FRONT_AND_BACK;
        materialColor(face, GL_AMBIENT, ambient);
        materialColor(face, GL_DIFFUSE, diffuse);
        materialColor(face, GL_SPECULAR, specular);
        glMaterialf(face, GL_SHININESS, shininess);

        disableLights();
        for (int i = 0; i < lightCount; i++) setLight(i, lights + FLOATS * i, modelInverse);
    }

    // The shader build samples only meshes with texture coordinates; without them a texture
    // would paint the whole mesh with one texel here.
    bool textured = texture && positions && coversVertices(mesh->texcoords, mesh);
    if (textured) {
        texture->bind();
        glEnable(GL_TEXTURE_2D);
    }

    if (positions) {
        bool withNormals = lit && coversVertices(mesh->normals, mesh);
        int count = positions->size();
        // Without an element list the positions are a plain triangle list, as the shader
        // build draws them.
        List<unsigned short>* elements = mesh->elements;
        int triangles = elements ? mesh->triangleCount() : count / 3;
        glBegin(GL_TRIANGLES);
        for (int t = 0; t < triangles; t++) {
            int corner[3] = {3 * t, 3 * t + 1, 3 * t + 2};
            if (elements) {
                for (int& k : corner) k = elements->at(k);
                // A triangle naming a vertex that does not exist is skipped whole.
                if (corner[0] >= count || corner[1] >= count || corner[2] >= count) continue;
            }
            for (int k : corner) {
                if (withNormals) {
                    const Vector3& n = mesh->normals->at(k);
                    glNormal3f(n.x, n.y, n.z);
                }
                if (hasColors) {
                    const Color& c = mesh->colors->at(k);
                    glColor3f(c.r, c.g, c.b);
                }
                if (textured) {
                    const Vector2& uv = mesh->texcoords->at(k);
                    glTexCoord2f(uv.x, 1 - uv.y);
                }
                const Vector3& p = positions->at(k);
                glVertex3f(p.x, p.y, p.z);
            }
        }
        glEnd();
    }

    if (textured) glDisable(GL_TEXTURE_2D);
    if (lit) {
        glDisable(GL_NORMALIZE);
        glEnable(GL_COLOR_MATERIAL);
        glDisable(GL_LIGHTING);
        disableLights();
    }
    state.disable();
}
