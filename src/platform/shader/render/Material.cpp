// Material, shader build: the program's interface locations are looked up once; each draw
// uploads matrices, colours, lights and attribute arrays and leaves no state behind.
#include "render/Material.h"

#include "math/Matrix3x3.h"
#include "platform/GL.h"
#include "render/DrawState.h"
#include "render/GLBuffer.h"
#include "render/LightRecord.h"
#include "render/Mesh.h"
#include "render/ShaderProgram.h"
#include "render/Texture.h"

namespace {

using LightRecord::FLOATS;
using LightRecord::MAX_LIGHTS;

int optionalAttribute(ShaderProgram* program, const char* name) {
    try {
        return static_cast<int>(program->getAttribLocation(name));
    } catch (const char*) {
        return -1;
    }
}

int optionalUniform(ShaderProgram* program, const char* name) {
    try {
        return static_cast<int>(program->getUniformLocation(name));
    } catch (const char*) {
        return -1;
    }
}

// Points an attribute at a buffer of packed records; `count` floats per vertex.
void bindAttribute(int location, GLBuffer* buffer, int count) {
    GLuint index = static_cast<GLuint>(location);
    glEnableVertexAttribArray(index);
    glBindBuffer(GL_ARRAY_BUFFER, buffer->id);
    glVertexAttribPointer(index, count, GL_FLOAT, GL_FALSE, count * static_cast<GLsizei>(sizeof(float)),
                          nullptr);
}

// A per-vertex list shorter than the vertex list would make GL read past its buffer.
template <typename T>
bool coversVertices(const List<T>* list, const Mesh* mesh) {
    return list && list->size() >= mesh->vertices->size();
}

}  // namespace

Material::Material(ShaderProgram* program) : program(program) {
    try {
        v_coord = static_cast<int>(program->getAttribLocation("v_coord"));
        v_normal = optionalAttribute(program, "v_normal");
        v_color = optionalAttribute(program, "v_color");
        v_texcoord = optionalAttribute(program, "v_texcoord");
        is_textured = optionalUniform(program, "is_textured");
        is_textured_f = optionalUniform(program, "is_textured_f");
        texture = optionalUniform(program, "texture");
        mvp = static_cast<int>(program->getUniformLocation("mvp"));
    } catch (const char* message) {
        delete program;
        this->program = nullptr;
        throw message;
    }
    m = optionalUniform(program, "m");
    m_3x3 = optionalUniform(program, "m_3x3");
    v_inv = optionalUniform(program, "v_inv");
    scene_ambient = optionalUniform(program, "scene_ambient");
    mat_ambient = optionalUniform(program, "mat_ambient");
    mat_diffuse = optionalUniform(program, "mat_diffuse");
    mat_specular = optionalUniform(program, "mat_specular");
    mat_shininess = optionalUniform(program, "mat_shininess");
    lights_count = optionalUniform(program, "lights_count");
    lightsLocation = optionalUniform(program, "lights");
}

Material::~Material() { delete program; }

void Material::render(Matrix4x4* projection, Matrix4x4* view, Matrix4x4* model, Mesh* mesh,
                      Texture* texture) {
    if (!mesh->buffered) throw "Cannot render not buffered mesh.";
    requireMatrices(projection, view, model);

    DrawState state(depthTest, mesh, texture);
    state.enable();
    glUseProgram(program->id);

    // Everything enabled above is undone on every way out, so a failed draw leaves GL as
    // the next draw expects it.
    auto finish = [&] {
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
        for (int location : {v_coord, v_normal, v_color, v_texcoord}) {
            if (location != -1) glDisableVertexAttribArray(static_cast<GLuint>(location));
        }
        glUseProgram(0);
        state.disable();
    };

    try {
        Matrix4x4 projectionView = *view;
        projectionView.mult(*projection, false);
        Matrix4x4 modelViewProjection = *model;
        modelViewProjection.mult(projectionView, false);
        glUniformMatrix4fv(mvp, 1, GL_FALSE, modelViewProjection.m);
        if (m != -1) glUniformMatrix4fv(m, 1, GL_FALSE, model->m);
        if (m_3x3 != -1) {
            Matrix3x3 upperLeft(*model);
            glUniformMatrix3fv(m_3x3, 1, GL_FALSE, upperLeft.m);
        }
        if (v_inv != -1) {
            Matrix4x4 viewInverse = view->invert();
            glUniformMatrix4fv(v_inv, 1, GL_FALSE, viewInverse.m);
        }

        if (scene_ambient != -1) glUniform3f(scene_ambient, sceneAmbient.r, sceneAmbient.g, sceneAmbient.b);
        if (mat_ambient != -1) glUniform4f(mat_ambient, ambient.r, ambient.g, ambient.b, ambient.a);
        if (mat_diffuse != -1) glUniform3f(mat_diffuse, diffuse.r, diffuse.g, diffuse.b);
        if (mat_specular != -1) glUniform3f(mat_specular, specular.r, specular.g, specular.b);
        if (mat_shininess != -1) glUniform1f(mat_shininess, shininess);

        if (lights_count != -1) {
            // The table holds MAX_LIGHTS records; a larger count must not read past it.
            int count = lightsCount < 0 ? 0 : (lightsCount > MAX_LIGHTS ? MAX_LIGHTS : lightsCount);
            if (!lights) count = 0;
            glUniform1i(lights_count, count);
            if (count > 0 && lightsLocation != -1) glUniform1fv(lightsLocation, FLOATS * count, lights);
        }

        bool textured = texture && mesh->texcoordsBuffer;
        float texturedValue = textured ? 1.0f : 0.0f;
        if (is_textured != -1) glUniform1f(is_textured, texturedValue);
        if (is_textured_f != -1) glUniform1f(is_textured_f, texturedValue);
        if (this->texture != -1 && texture) {
            glActiveTexture(GL_TEXTURE0);
            texture->bind();
            glUniform1i(this->texture, 0);
        }

        if (!mesh->verticesBuffer || !mesh->vertices) throw "Vertices are required";
        bindAttribute(v_coord, mesh->verticesBuffer, 3);
        if (v_normal != -1) {
            // Normals come from the faces; a mesh without an element list has none to
            // offer, and the attribute then keeps its constant value.
            if (!mesh->normalsBuffer && mesh->elements) mesh->computeNormals();
            if (mesh->normalsBuffer && coversVertices(mesh->normals, mesh)) {
                bindAttribute(v_normal, mesh->normalsBuffer, 3);
            }
        }
        if (v_color != -1) {
            if (!mesh->colorsBuffer) throw "Colors are required";
            if (coversVertices(mesh->colors, mesh)) bindAttribute(v_color, mesh->colorsBuffer, 4);
        }
        if (v_texcoord != -1 && mesh->texcoordsBuffer && coversVertices(mesh->texcoords, mesh)) {
            bindAttribute(v_texcoord, mesh->texcoordsBuffer, 2);
        }

        if (mesh->elements) {
            // Lists changed behind the mesh's back are uploaded rather than drawn from a
            // missing buffer.
            if (!mesh->elementsBuffer) mesh->updateElements();
            glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->elementsBuffer->id);
            GLint bytes = 0;
            glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
            glDrawElements(GL_TRIANGLES, bytes / 2, GL_UNSIGNED_SHORT, nullptr);
        } else {
            glDrawArrays(GL_TRIANGLES, 0, mesh->vertices->size());
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}
