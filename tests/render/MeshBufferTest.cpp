// Buffered meshes under a real GL context: what reaches the buffers, and dropping and
// rebuilding them. The fixed-function build's buffers are placeholders, so the contents are
// checked in the shader build only.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Buffer.h"
#include "platform/GL.h"
#include "render/GLBuffer.h"
#include "render/Mesh.h"
#include "support/GLWindow.h"

namespace {

#ifdef QUANDRELS_TEST_FIXED_BUILD
const bool SHADER_BUILD = false;
#else
const bool SHADER_BUILD = true;
#endif

template <typename T>
std::vector<T> contents(GLBuffer* buffer) {
    std::vector<T> out(static_cast<size_t>(buffer->size) / sizeof(T));
#ifndef QUANDRELS_TEST_FIXED_BUILD
    glBindBuffer(buffer->target, buffer->id);
    glGetBufferSubData(buffer->target, 0, buffer->size, out.data());
    glBindBuffer(buffer->target, 0);
#endif
    return out;
}

class MeshBufferTest : public testing::Test {
protected:
    GLWindow window{16, 16};
};

TEST_F(MeshBufferTest, TexturedPlaneUploadsPackedComponents) {
    std::unique_ptr<Mesh> mesh(Mesh::createTexturedPlane(GL_STATIC_DRAW, Matrix4x4(Vector3(0, 0, 2))));
    ASSERT_NE(mesh->verticesBuffer, nullptr);
    ASSERT_NE(mesh->texcoordsBuffer, nullptr);
    ASSERT_NE(mesh->elementsBuffer, nullptr);
    EXPECT_EQ(mesh->normalsBuffer, nullptr);
    EXPECT_EQ(mesh->colorsBuffer, nullptr);
    if (!SHADER_BUILD) return;

    EXPECT_EQ(mesh->verticesBuffer->target, static_cast<GLenum>(GL_ARRAY_BUFFER));
    EXPECT_EQ(mesh->elementsBuffer->target, static_cast<GLenum>(GL_ELEMENT_ARRAY_BUFFER));
    EXPECT_EQ(mesh->verticesBuffer->usage, static_cast<GLenum>(GL_STATIC_DRAW));
    EXPECT_EQ(contents<float>(mesh->verticesBuffer),
              (std::vector<float>{-1, 1, 2, 1, 1, 2, 1, -1, 2, -1, -1, 2}));
    EXPECT_EQ(contents<float>(mesh->texcoordsBuffer), (std::vector<float>{0, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(contents<unsigned short>(mesh->elementsBuffer),
              (std::vector<unsigned short>{0, 3, 1, 1, 3, 2}));
}

TEST_F(MeshBufferTest, EveryListReachesItsBuffer) {
    Mesh mesh(GL_STATIC_DRAW);
    mesh.generatePlane(Matrix4x4());
    float colors[] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0.5f, 0.5f, 0.5f};
    mesh.setColors(sizeof colors, colors);
    mesh.computeNormals();
    ASSERT_NE(mesh.colorsBuffer, nullptr);
    ASSERT_NE(mesh.normalsBuffer, nullptr);
    if (!SHADER_BUILD) return;
    EXPECT_EQ(contents<float>(mesh.colorsBuffer),
              (std::vector<float>{1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 0.5f, 0.5f, 0.5f, 1}));
    EXPECT_EQ(contents<float>(mesh.normalsBuffer), (std::vector<float>{0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}));

    // A second plane grows every buffer that has a list.
    mesh.generatePlane(Matrix4x4(Vector3(5, 0, 0)));
    EXPECT_EQ(mesh.verticesBuffer->size, 8 * 12);
    EXPECT_EQ(mesh.elementsBuffer->size, 12 * 2);
    EXPECT_EQ(contents<float>(mesh.verticesBuffer)[12], 4.0f);
}

TEST_F(MeshBufferTest, ReleasedBuffersAreRebuiltFromTheLists) {
    std::unique_ptr<Mesh> mesh(Mesh::createTexturedPlane(GL_STATIC_DRAW, Matrix4x4()));
    mesh->computeNormals();
    mesh->releaseBuffers();
    for (GLBuffer* buffer :
         {mesh->verticesBuffer, mesh->normalsBuffer, mesh->texcoordsBuffer, mesh->elementsBuffer}) {
        EXPECT_EQ(buffer, nullptr);
    }
    ASSERT_NE(mesh->vertices, nullptr);
    EXPECT_EQ(mesh->vertices->size(), 4);

    mesh->createBuffers();
    ASSERT_NE(mesh->verticesBuffer, nullptr);
    ASSERT_NE(mesh->normalsBuffer, nullptr);
    ASSERT_NE(mesh->texcoordsBuffer, nullptr);
    ASSERT_NE(mesh->elementsBuffer, nullptr);
    EXPECT_EQ(mesh->colorsBuffer, nullptr);  // no list, no buffer
    if (!SHADER_BUILD) return;
    EXPECT_EQ(contents<float>(mesh->verticesBuffer),
              (std::vector<float>{-1, 1, 0, 1, 1, 0, 1, -1, 0, -1, -1, 0}));
    EXPECT_EQ(contents<unsigned short>(mesh->elementsBuffer),
              (std::vector<unsigned short>{0, 3, 1, 1, 3, 2}));

    // Buffers that exist are left as they are.
    GLBuffer* vertices = mesh->verticesBuffer;
    mesh->createBuffers();
    EXPECT_EQ(mesh->verticesBuffer, vertices);
}

TEST_F(MeshBufferTest, ObjTextFillsABufferedMesh) {
    const std::string text =
        "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 1\nf 1/1 2/2 3/1 4/2\nf 1 2 9\n";
    Buffer obj;
    obj.write(text.data(), static_cast<int>(text.size()));
    Mesh mesh(GL_STATIC_DRAW);
    float colors[] = {1, 1, 1};
    mesh.setColors(sizeof colors, colors);
    mesh.generatePlane(Matrix4x4());
    testing::internal::CaptureStdout();
    mesh.loadObj(&obj);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "List get index overflow: 8");
    ASSERT_EQ(mesh.vertices->size(), 4);
    EXPECT_EQ(std::vector<unsigned short>(mesh.elements->begin(), mesh.elements->end()),
              (std::vector<unsigned short>{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(mesh.normals, nullptr);
    EXPECT_EQ(mesh.normalsBuffer, nullptr);
    ASSERT_NE(mesh.texcoords, nullptr);
    EXPECT_EQ(mesh.texcoords->at(2), Vector2(0, 0));
    EXPECT_EQ(mesh.texcoords->at(3), Vector2(1, 1));
    ASSERT_NE(mesh.colors, nullptr);  // colours are not the loader's business
    EXPECT_EQ(mesh.colors->size(), 1);
    if (!SHADER_BUILD) return;
    EXPECT_EQ(mesh.verticesBuffer->size, 48);
    EXPECT_EQ(mesh.texcoordsBuffer->size, 32);
    EXPECT_EQ(contents<unsigned short>(mesh.elementsBuffer), (std::vector<unsigned short>{0, 1, 2, 0, 2, 3}));
}

}  // namespace
