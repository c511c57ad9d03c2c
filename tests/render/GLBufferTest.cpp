// GL buffer objects: creation, re-upload into the same store or a new one, deletion.
#include <gtest/gtest.h>

#include <vector>

#include "render/GLBuffer.h"
#include "support/GLWindow.h"

namespace {

GLint parameter(const GLBuffer& buffer, GLenum name) {
    glBindBuffer(buffer.target, buffer.id);
    GLint value = 0;
    glGetBufferParameteriv(buffer.target, name, &value);
    glBindBuffer(buffer.target, 0);
    return value;
}

template <typename T>
std::vector<T> contents(const GLBuffer& buffer, size_t count) {
    std::vector<T> out(count);
    glBindBuffer(buffer.target, buffer.id);
    glGetBufferSubData(buffer.target, 0, static_cast<GLsizeiptr>(count * sizeof(T)), out.data());
    glBindBuffer(buffer.target, 0);
    return out;
}

GLint binding(GLenum query) {
    GLint value = -1;
    glGetIntegerv(query, &value);
    return value;
}

class GLBufferTest : public testing::Test {
protected:
    GLWindow window{64, 64};
};

TEST_F(GLBufferTest, ConstructorsFillANewBuffer) {
    std::vector<float> vertices = {1, 2, 3, 4, 5, 6};
    std::vector<unsigned short> indices = {0, 1, 2, 2, 1, 0, 7, 9};
    int vertexBytes = static_cast<int>(vertices.size() * sizeof(float));
    int indexBytes = static_cast<int>(indices.size() * sizeof(unsigned short));

    GLBuffer plain(vertexBytes, vertices.data());
    EXPECT_NE(plain.id, 0u);
    EXPECT_EQ(plain.target, static_cast<GLenum>(GL_ARRAY_BUFFER));
    EXPECT_EQ(plain.usage, static_cast<GLenum>(GL_STATIC_DRAW));
    EXPECT_EQ(plain.size, vertexBytes);
    EXPECT_EQ(parameter(plain, GL_BUFFER_SIZE), vertexBytes);
    EXPECT_EQ(parameter(plain, GL_BUFFER_USAGE), GL_STATIC_DRAW);
    EXPECT_EQ(contents<float>(plain, vertices.size()), vertices);

    GLBuffer elements(indexBytes, indices.data(), GL_ELEMENT_ARRAY_BUFFER);
    EXPECT_EQ(elements.target, static_cast<GLenum>(GL_ELEMENT_ARRAY_BUFFER));
    EXPECT_EQ(elements.usage, static_cast<GLenum>(GL_STATIC_DRAW));
    EXPECT_EQ(contents<unsigned short>(elements, indices.size()), indices);

    GLBuffer dynamic(vertexBytes, vertices.data(), GL_ARRAY_BUFFER, GL_DYNAMIC_DRAW);
    EXPECT_EQ(parameter(dynamic, GL_BUFFER_USAGE), GL_DYNAMIC_DRAW);

    // Uploading leaves nothing bound.
    EXPECT_EQ(binding(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(binding(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(GLBufferTest, SameSizeReusesTheStoreAndANewSizeRespecifiesIt) {
    std::vector<float> first = {1, 2, 3, 4};
    std::vector<float> second = {5, 6, 7, 8};
    std::vector<float> longer = {9, 10, 11, 12, 13, 14};
    GLBuffer buffer(16, first.data());
    GLuint id = buffer.id;

    // The usage hint only reaches GL through glBufferData, so changing it here shows which
    // call an update made.
    buffer.usage = GL_DYNAMIC_DRAW;
    buffer.update(16, second.data());
    EXPECT_EQ(parameter(buffer, GL_BUFFER_USAGE), GL_STATIC_DRAW) << "same size must use sub-data";
    EXPECT_EQ(contents<float>(buffer, 4), second);
    EXPECT_EQ(buffer.size, 16);

    buffer.update(24, longer.data());
    EXPECT_EQ(parameter(buffer, GL_BUFFER_USAGE), GL_DYNAMIC_DRAW) << "a new size must re-specify";
    EXPECT_EQ(parameter(buffer, GL_BUFFER_SIZE), 24);
    EXPECT_EQ(buffer.size, 24);
    EXPECT_EQ(contents<float>(buffer, 6), longer);

    buffer.update(8, first.data());
    EXPECT_EQ(parameter(buffer, GL_BUFFER_SIZE), 8);
    EXPECT_EQ(contents<float>(buffer, 2), (std::vector<float>{1, 2}));

    EXPECT_EQ(buffer.id, id) << "updates keep the same buffer object";
    EXPECT_EQ(binding(GL_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(GLBufferTest, DestructorDeletesTheBuffer) {
    float data[2] = {1, 2};
    auto* buffer = new GLBuffer(8, data);
    GLuint id = buffer->id;
    EXPECT_TRUE(glIsBuffer(id));
    delete buffer;
    EXPECT_FALSE(glIsBuffer(id));
}

}  // namespace
