// GLSL programs: the source prefix, compile and link failures with their log lines, name
// lookups, and that nothing stays behind when building fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ShaderProgram.h"
#include "support/GLWindow.h"
#include "support/LogCapture.h"

namespace {

const char* const VERTEX = R"(
attribute vec3 position;
uniform mat4 matrix;
void main() { gl_Position = matrix * vec4(position, 1.0); }
)";

const char* const FRAGMENT = R"(
uniform lowp vec4 color;
uniform float unused;
void main() { gl_FragColor = color; }
)";

// Array constructors arrive with GLSL 1.20; the default dialect (1.10) rejects them.
const char* const VERTEX_NEEDS_120 = R"(
attribute vec3 position;
void main() {
    const float scale[2] = float[2](1.0, 2.0);
    gl_Position = vec4(position * scale[1], 1.0);
}
)";

const char* const BROKEN = "void main() { this is not glsl; }\n";

// The fragment stage reads a varying that the vertex stage never declares: both compile,
// linking fails.
const char* const FRAGMENT_UNMATCHED_VARYING = R"(
varying vec4 shade;
void main() { gl_FragColor = shade; }
)";

// Shader and program names alive in this context (they share one name space).
std::vector<GLuint> liveObjects() {
    std::vector<GLuint> names;
    for (GLuint n = 1; n < 4096; n++) {
        if (glIsShader(n) || glIsProgram(n)) names.push_back(n);
    }
    return names;
}

struct Attempt {
    std::string thrown;  // empty when construction succeeded
    std::string log;
};

Attempt build(const char* vertex, const char* fragment) {
    Attempt a;
    a.log = captureLog([&] {
        try {
            ShaderProgram program(vertex, fragment);
        } catch (const char* message) {
            a.thrown = message;
        }
    });
    return a;
}

class ShaderProgramTest : public testing::Test {
protected:
    GLWindow window{64, 64};
};

TEST_F(ShaderProgramTest, BuildsAProgramAndKeepsOnlyIt) {
    std::vector<GLuint> before = liveObjects();
    auto* program = new ShaderProgram(VERTEX, FRAGMENT);
    EXPECT_TRUE(glIsProgram(program->id));
    GLint linked = 0;
    glGetProgramiv(program->id, GL_LINK_STATUS, &linked);
    EXPECT_EQ(linked, GL_TRUE);
    GLint attached = -1;
    glGetProgramiv(program->id, GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 0) << "shaders are detached once linked";
    std::vector<GLuint> expected = before;
    expected.push_back(program->id);
    EXPECT_EQ(liveObjects(), expected) << "only the program stays";

    GLuint id = program->id;
    delete program;
    EXPECT_FALSE(glIsProgram(id));
}

TEST_F(ShaderProgramTest, SourcesAreCompiledAsGlsl120WithPrecisionQualifiersDefinedAway) {
    // FRAGMENT declares a lowp uniform; VERTEX_NEEDS_120 needs the version line.
    Attempt a = build(VERTEX_NEEDS_120, FRAGMENT);
    EXPECT_EQ(a.thrown, "") << a.log;
    Attempt b = build(
        "attribute highp vec4 p;\nvoid main() { mediump float s = 1.0; gl_Position = p * s; }\n", FRAGMENT);
    EXPECT_EQ(b.thrown, "") << b.log;
}

TEST_F(ShaderProgramTest, CompileFailuresLogTheShaderAndThrow) {
    struct Case {
        const char* label;
        const char* vertex;
        const char* fragment;
        const char* type;
    };
    const std::vector<Case> cases = {
        {"vertex", BROKEN, FRAGMENT, "Shader info log 35633:\n"},
        {"fragment", VERTEX, BROKEN, "Shader info log 35632:\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<GLuint> before = liveObjects();
        Attempt a = build(c.vertex, c.fragment);
        EXPECT_EQ(a.thrown, "Cannot create shader program\n");
        EXPECT_NE(a.log.find("Unable to compile shader "), std::string::npos) << a.log;
        EXPECT_NE(a.log.find(c.type), std::string::npos) << a.log;
        EXPECT_EQ(liveObjects(), before) << "no shader or program object may stay behind";
    }
}

TEST_F(ShaderProgramTest, LinkFailureLogsTheLinkerAndThrows) {
    std::vector<GLuint> before = liveObjects();
    Attempt a = build(VERTEX, FRAGMENT_UNMATCHED_VARYING);
    EXPECT_EQ(a.thrown, "Cannot create shader program\n");
    EXPECT_EQ(a.log.find("Unable to compile shader"), std::string::npos) << "both stages compile";
    EXPECT_FALSE(a.log.empty()) << "the linker's complaint is logged";
    EXPECT_EQ(liveObjects(), before);
}

TEST_F(ShaderProgramTest, MissingSourcesThrowWithoutLeftovers) {
    const std::vector<std::pair<const char*, const char*>> cases = {
        {nullptr, FRAGMENT}, {VERTEX, nullptr}, {nullptr, nullptr}};
    for (const auto& [vertex, fragment] : cases) {
        std::vector<GLuint> before = liveObjects();
        Attempt a = build(vertex, fragment);
        EXPECT_EQ(a.thrown, "Cannot create shader program\n");
        EXPECT_EQ(liveObjects(), before);
    }
}

TEST_F(ShaderProgramTest, BuildShaderReturnsANameOrMinusOne) {
    ShaderProgram program(VERTEX, FRAGMENT);
    GLuint good = program.buildShader(GL_VERTEX_SHADER, VERTEX);
    EXPECT_TRUE(glIsShader(good));
    glDeleteShader(good);

    GLuint bad = 0;
    std::string log = captureLog([&] { bad = program.buildShader(GL_FRAGMENT_SHADER, BROKEN); });
    EXPECT_EQ(bad, 0xFFFFFFFFu);
    EXPECT_NE(log.find("Shader info log 35632:\n"), std::string::npos) << log;
}

TEST_F(ShaderProgramTest, LooksUpActiveNamesAndRefusesOthers) {
    ShaderProgram program(VERTEX, FRAGMENT);
    EXPECT_EQ(program.getAttribLocation("position"),
              static_cast<GLuint>(glGetAttribLocation(program.id, "position")));
    EXPECT_EQ(program.getUniformLocation("matrix"),
              static_cast<GLuint>(glGetUniformLocation(program.id, "matrix")));
    EXPECT_EQ(program.getUniformLocation("color"),
              static_cast<GLuint>(glGetUniformLocation(program.id, "color")));

    struct Case {
        bool attribute;
        const char* name;
        const char* message;
    };
    const std::vector<Case> cases = {
        {false, "unused", "Could not bind uniform unused\n"},  // removed by the linker
        {false, "nowhere", "Could not bind uniform nowhere\n"},
        {true, "normal", "Could not bind attribute normal\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string thrown;
        try {
            if (c.attribute) {
                program.getAttribLocation(c.name);
            } else {
                program.getUniformLocation(c.name);
            }
        } catch (const char* message) {
            thrown = message;
        }
        EXPECT_EQ(thrown, c.message);
    }
}

}  // namespace
