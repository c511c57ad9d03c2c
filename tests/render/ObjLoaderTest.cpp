// OBJ parsing into mesh lists (no GL): the small dialect, files as modelling programs write
// them, polygons, and faces that name indices the file does not have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Buffer.h"
#include "render/Mesh.h"
#include "render/ObjLoader.h"
#include "support/Capture.h"
#include "support/Thrown.h"

namespace {

struct Parsed {
    ObjData data;
    std::string output;  // what the parser printed

    std::vector<Vector3> vertices() const { return {data.vertices->begin(), data.vertices->end()}; }
    std::vector<unsigned short> elements() const {
        return data.elements ? std::vector<unsigned short>(data.elements->begin(), data.elements->end())
                             : std::vector<unsigned short>();
    }
    std::vector<Vector3> normals() const {
        return data.normals ? std::vector<Vector3>(data.normals->begin(), data.normals->end())
                            : std::vector<Vector3>();
    }
    std::vector<Vector2> texcoords() const {
        return data.texcoords ? std::vector<Vector2>(data.texcoords->begin(), data.texcoords->end())
                              : std::vector<Vector2>();
    }
};

void parse(const std::string& text, Parsed* out) {
    out->output = captureStdout([&] { parseObj(text.data(), static_cast<int>(text.size()), &out->data); });
}

const std::string TRIANGLE = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
const std::string UV = "vt 0 0\nvt 1 0\nvt 0 1\n";
using Indices = std::vector<unsigned short>;

TEST(ObjLoaderTest, PositionsAndAFace) {
    Parsed p;
    parse(TRIANGLE + "f 1 2 3\n", &p);
    EXPECT_EQ(p.vertices(), (std::vector<Vector3>{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}));
    EXPECT_EQ(p.elements(), (Indices{0, 1, 2}));
    EXPECT_EQ(p.data.normals, nullptr);
    EXPECT_EQ(p.data.texcoords, nullptr);
    EXPECT_EQ(p.output, "");
}

TEST(ObjLoaderTest, TextureAndNormalIndicesFillTheListsByPosition) {
    struct Case {
        const char* label;
        std::string text;
        std::vector<Vector2> texcoords;
        std::vector<Vector3> normals;
    };
    const std::vector<Case> cases = {
        {"texture indices in order", TRIANGLE + UV + "f 1/1 2/2 3/3\n", {{0, 0}, {1, 0}, {0, 1}}, {}},
        {"texture indices reversed", TRIANGLE + UV + "f 1/3 2/2 3/1\n", {{0, 1}, {1, 0}, {0, 0}}, {}},
        {"normal indices", TRIANGLE + "vn 0 0 1\nf 1//1 2//1 3//1\n", {}, {{0, 0, 1}, {0, 0, 1}, {0, 0, 1}}},
        {"both",
         TRIANGLE + UV + "vn 0 0 1\nvn 1 0 0\nf 3/1/2 1/2/1 2/3/1\n",
         {{1, 0}, {0, 1}, {0, 0}},
         {{0, 0, 1}, {0, 0, 1}, {1, 0, 0}}},
        {"texture lines but no texture indices: file order",
         TRIANGLE + UV + "f 1 2 3\n",
         {{0, 0}, {1, 0}, {0, 1}},
         {}},
        {"the last face naming a position wins",
         TRIANGLE + "v 1 1 0\n" + UV + "f 1/1 2/2 3/3\nf 2/3 4/1 3/2\n",
         {{0, 0}, {0, 1}, {1, 0}, {0, 0}},
         {}},
        {"as many normals as positions, no indices",
         TRIANGLE + "vn 1 0 0\nvn 0 1 0\nvn 0 0 1\nf 1 2 3\n",
         {},
         {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Parsed p;
        parse(c.text, &p);
        EXPECT_EQ(p.texcoords(), c.texcoords);
        EXPECT_EQ(p.normals(), c.normals);
        EXPECT_EQ(p.output, "");
    }
}

TEST(ObjLoaderTest, ListsThatCannotCoverThePositionsAreFitted) {
    // One file normal for three positions cannot be drawn: normals are left to be computed.
    Parsed one;
    parse(TRIANGLE + "vn 0 0 1\nf 1 2 3\n", &one);
    EXPECT_EQ(one.data.normals, nullptr);
    // Texture coordinates in file order are cut or padded to one per position.
    Parsed few;
    parse(TRIANGLE + "vt 0.5 0.5\nf 1 2 3\n", &few);
    EXPECT_EQ(few.texcoords(), (std::vector<Vector2>{{0.5f, 0.5f}, {0, 0}, {0, 0}}));
    Parsed many;
    parse(TRIANGLE + UV + "vt 0.5 0.5\nf 1 2 3\n", &many);
    EXPECT_EQ(many.texcoords(), (std::vector<Vector2>{{0, 0}, {1, 0}, {0, 1}}));
}

TEST(ObjLoaderTest, PolygonsBecomeFans) {
    struct Case {
        const char* label;
        std::string face;
        Indices elements;
    };
    const std::string square = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0.5 1.5 0\nvt 0 0\nvn 0 0 1\n";
    const std::vector<Case> cases = {
        {"quad", "f 1 2 3 4\n", {0, 1, 2, 0, 2, 3}},
        {"quad with slashes", "f 1/1/1 2/1/1 3/1/1 4/1/1\n", {0, 1, 2, 0, 2, 3}},
        {"quad, position and normal", "f 1//1 2//1 3//1 4//1\n", {0, 1, 2, 0, 2, 3}},
        {"pentagon", "f 1 2 3 5 4\n", {0, 1, 2, 0, 2, 4, 0, 4, 3}},
        {"mixed token forms", "f 1 2/1 3//1 4/1/1\n", {0, 1, 2, 0, 2, 3}},
        {"extra spaces and tabs between corners", "f  1 \t2   3\t4 \n", {0, 1, 2, 0, 2, 3}},
        {"trailing comment", "f 1 2 3 # lower right\n", {0, 1, 2}},
        {"two corners are no face", "f 1 2\n", {}},
        {"a corner that is not a number spoils the face", "f 1 2 x 4\n", {}},
        {"a part that is not a number spoils the face", "f 1/a 2/1 3/1\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Parsed p;
        parse(square + c.face, &p);
        EXPECT_EQ(p.elements(), c.elements);
        EXPECT_EQ(p.output, "");
        EXPECT_EQ(p.elements().size() % 3, 0u);
    }
}

TEST(ObjLoaderTest, FaceWithAnIndexOutsideTheFileIsReportedAndLeftOut) {
    struct Case {
        const char* label;
        std::string face;
        std::string message;
    };
    const std::string header = TRIANGLE + "vt 0 0\nvn 0 0 1\n";
    const std::vector<Case> cases = {
        {"position past the end", "f 1 2 4\n", "List get index overflow: 3"},
        {"position zero", "f 0 1 2\n", "List get index overflow: -1"},
        {"negative position", "f -1 -2 -3\n",
         "List get index overflow: -2List get index overflow: -3"
         "List get index overflow: -4"},
        {"position above 16 bits", "f 1 2 70000\n", "List get index overflow: 69999"},
        {"huge position", "f 1 2 99999999999999999999\n", "List get index overflow: 2147483647"},
        {"huge negative position", "f 1 2 -99999999999999999999\n", "List get index overflow: -2147483648"},
        {"texture index past the end", "f 1/2 2/1 3/1\n", "List get index overflow: 1"},
        {"texture index zero", "f 1/1 2/0 3/1\n", "List get index overflow: -1"},
        {"normal index past the end", "f 1//1 2//1 3//5\n", "List get index overflow: 4"},
        {"bad corner in a quad", "f 1 2 3 9\n", "List get index overflow: 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Parsed p;
        parse(header + c.face + "f 3 2 1\n", &p);
        EXPECT_EQ(p.output, c.message);
        // The bad face is left out whole; the next face still counts.
        EXPECT_EQ(p.elements(), (Indices{2, 1, 0}));
        // Nothing of the dropped face reached the by-position lists.
        EXPECT_EQ(p.data.normals, nullptr);
        EXPECT_EQ(p.texcoords(), (std::vector<Vector2>{{0, 0}, {0, 0}, {0, 0}}));
    }
}

TEST(ObjLoaderTest, PositionsMustBeDefinedBeforeTheFaceNamesThem) {
    Parsed p;
    parse("v 0 0 0\nv 1 0 0\nf 1 2 3\nv 0 1 0\nf 1 2 3\n", &p);
    EXPECT_EQ(p.output, "List get index overflow: 2");
    EXPECT_EQ(p.elements(), (Indices{0, 1, 2}));
}

TEST(ObjLoaderTest, FileAsAModellingProgramWritesIt) {
    // Windows line ends, a header, object/group/smoothing/material lines, a quad, an n-gon
    // and a triangle, with positions, texture coordinates and normals.
    const std::string text =
        "# Exported by a modelling program\r\n"
        "mtllib crate.mtl\r\n"
        "o Crate\r\n"
        "v -1.000000 -1.000000 1.000000\r\n"
        "v 1.000000 -1.000000 1.000000\r\n"
        "v 1.000000 1.000000 1.000000\r\n"
        "v -1.000000 1.000000 1.000000\r\n"
        "v 0.000000 2.000000 1.000000\r\n"
        "v 0.000000 0.000000 -1.000000\r\n"
        "vt 0.000000 0.000000\r\n"
        "vt 1.000000 0.000000\r\n"
        "vt 1.000000 1.000000\r\n"
        "vt 0.000000 1.000000\r\n"
        "vt 0.500000 1.000000\r\n"
        "vn 0.0000 0.0000 1.0000\r\n"
        "vn 0.0000 -0.7071 -0.7071\r\n"
        "g front\r\n"
        "usemtl Wood\r\n"
        "s off\r\n"
        "f 1/1/1 2/2/1 3/3/1 4/4/1\r\n"
        "s 1\r\n"
        "f 4/4/1 3/3/1 5/5/1\r\n"
        "g bottom\r\n"
        "usemtl Metal\r\n"
        "f 6/1/2 2/2/2 1/3/2\r\n"
        "\r\n"
        "# 3 faces\r\n";
    Parsed p;
    parse(text, &p);
    EXPECT_EQ(p.output, "");
    ASSERT_EQ(p.data.vertices->size(), 6);
    EXPECT_EQ(p.data.vertices->at(4), Vector3(0, 2, 1));
    EXPECT_EQ(p.elements(), (Indices{0, 1, 2, 0, 2, 3, 3, 2, 4, 5, 1, 0}));
    ASSERT_EQ(p.data.texcoords->size(), 6);
    EXPECT_EQ(p.data.texcoords->at(0), Vector2(1, 1));  // the last face naming position 1
    EXPECT_EQ(p.data.texcoords->at(4), Vector2(0.5f, 1));
    ASSERT_EQ(p.data.normals->size(), 6);
    EXPECT_EQ(p.data.normals->at(3), Vector3(0, 0, 1));
    EXPECT_EQ(p.data.normals->at(5), Vector3(0, -0.7071f, -0.7071f));
}

TEST(ObjLoaderTest, FacesWithoutNormalsOrTexturesLeaveThoseOut) {
    const std::string text =
        "# positions only\n"
        "v 0 0 0\nv 2 0 0\nv 2 2 0\nv 0 2 0\n"
        "f 1 2 3 4\n";
    Parsed p;
    parse(text, &p);
    EXPECT_EQ(p.elements(), (Indices{0, 1, 2, 0, 2, 3}));
    EXPECT_EQ(p.data.normals, nullptr);
    EXPECT_EQ(p.data.texcoords, nullptr);
}

TEST(ObjLoaderTest, LinesOutsideTheDialectChangeNothing) {
    Parsed plain;
    parse(TRIANGLE + "f 1 2 3\n", &plain);
    const std::vector<std::string> noise = {
        "# a comment\n", "o Object\n", "usemtl Stone\n", "g group\n", "s 1\n", "mtllib a.mtl\n", "\n",
        "vp 0.5 0.5\n",  "l 1 2\n",    "p 1\n",          "f\n",       "v\n",   "vx 1 2 3\n",     "fo 1 2 3\n",
    };
    for (const std::string& line : noise) {
        SCOPED_TRACE(line);
        Parsed p;
        parse(line + TRIANGLE + line + "f 1 2 3\n" + line, &p);
        // "v" alone is not a position line ("v " is), and "f" alone is no face.
        EXPECT_EQ(p.vertices(), plain.vertices());
        EXPECT_EQ(p.elements(), plain.elements());
        EXPECT_EQ(p.data.normals, nullptr);
        EXPECT_EQ(p.data.texcoords, nullptr);
    }
}

TEST(ObjLoaderTest, KeywordsFollowedByATabAreSkippedSafely) {
    // "v\t" is not a position line: the face naming the third position is left out.
    Parsed p;
    parse("v 0 0 0\nv 1 0 0\nv\t0 1 0\nf 1 2 3\nf\t1 2 2\nf 1 2 1\n", &p);
    EXPECT_EQ(p.vertices().size(), 2u);
    EXPECT_EQ(p.output, "List get index overflow: 2");
    EXPECT_EQ(p.elements(), (Indices{0, 1, 0}));
}

TEST(ObjLoaderTest, NumbersThatDoNotParse) {
    Parsed p;
    parse("v 1 x 3\nv 4 5\nv 1e99 2 3\nv nan 1 1\nv 7 8 9 1.0 0.5 0.5 0.5\nvt 0.25\nf 1/1 2/1 3/1\n", &p);
    // From the first bad number on, a line's components are 0; extra numbers are ignored.
    EXPECT_EQ(p.vertices(), (std::vector<Vector3>{{1, 0, 0}, {4, 5, 0}, {0, 0, 0}, {0, 0, 0}, {7, 8, 9}}));
    EXPECT_EQ(p.texcoords()[0], Vector2(0.25f, 0));
}

TEST(ObjLoaderTest, MoreThanSixteenBitsOfPositions) {
    // Position 65536 (index 65535) is the last one an element can address.
    std::string text;
    for (int i = 0; i < 65540; i++) text += "v 0 0 0\n";
    text += "f 65536 1 2\nf 65537 1 2\nf 1 2 65540\n";
    Parsed p;
    parse(text, &p);
    EXPECT_EQ(p.data.vertices->size(), 65540);
    EXPECT_EQ(p.elements(), (Indices{65535, 0, 1}));
    EXPECT_EQ(p.output, "List get index overflow: 65536List get index overflow: 65539");
}

TEST(ObjLoaderTest, EmptyAndFacelessText) {
    Parsed empty;
    parse("", &empty);
    ASSERT_NE(empty.data.vertices, nullptr);
    EXPECT_EQ(empty.data.vertices->size(), 0);
    EXPECT_EQ(empty.data.elements, nullptr);

    Parsed faceless;
    parse(TRIANGLE + "vn 0 0 1\nvn 0 0 1\nvn 0 0 1", &faceless);  // no final line end
    EXPECT_EQ(faceless.vertices().size(), 3u);
    EXPECT_EQ(faceless.data.elements, nullptr);
    EXPECT_EQ(faceless.normals().size(), 3u);

    ObjData none;
    parseObj(nullptr, 100, &none);
    EXPECT_EQ(none.vertices->size(), 0);
}

TEST(ObjLoaderTest, LoadingIntoAnUnbufferedMeshIsRefusedAndChangesNothing) {
    Mesh mesh;
    mesh.generatePlane(Matrix4x4());
    Buffer obj;
    std::string text = TRIANGLE + "f 1 2 3\n";
    obj.write(text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(thrownMessage([&] { mesh.loadObj(&obj); }), "Mesh is not buffered.");
    EXPECT_EQ(mesh.vertices->size(), 4);
    EXPECT_EQ(mesh.elements->size(), 6);
}

}  // namespace
