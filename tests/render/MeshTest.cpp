// Mesh without GL: planes, setters, smoothed normals, ray tests and the refusals of an
// unbuffered mesh.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/Mesh.h"
#include "support/Thrown.h"

namespace {

std::vector<Vector3> positionsOf(const Mesh& mesh) {
    return mesh.vertices ? std::vector<Vector3>(mesh.vertices->begin(), mesh.vertices->end())
                         : std::vector<Vector3>();
}

std::vector<unsigned short> elementsOf(const Mesh& mesh) {
    return mesh.elements ? std::vector<unsigned short>(mesh.elements->begin(), mesh.elements->end())
                         : std::vector<unsigned short>();
}

std::string text(const Vector3& v) {
    return "(" + std::to_string(v.x) + ", " + std::to_string(v.y) + ", " + std::to_string(v.z) + ")";
}

testing::AssertionResult near(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << text(actual) << " is not " << text(expected);
}

// A mesh of the given triangles (each three positions), unbuffered.
std::unique_ptr<Mesh> triangles(const std::vector<Vector3>& corners) {
    auto mesh = std::make_unique<Mesh>();
    std::vector<float> flat;
    std::vector<unsigned short> indices;
    for (const Vector3& p : corners) {
        indices.push_back(static_cast<unsigned short>(flat.size() / 3));
        flat.insert(flat.end(), {p.x, p.y, p.z});
    }
    mesh->setVertices(static_cast<int>(flat.size() * 4), flat.data());
    mesh->setElements(static_cast<int>(indices.size() * 2), indices.data());
    return mesh;
}

TEST(MeshTest, NewMeshesHoldNothing) {
    Mesh plain;
    Mesh buffered(35044);
    for (Mesh* mesh : {&plain, &buffered}) {
        EXPECT_EQ(mesh->vertices, nullptr);
        EXPECT_EQ(mesh->normals, nullptr);
        EXPECT_EQ(mesh->colors, nullptr);
        EXPECT_EQ(mesh->texcoords, nullptr);
        EXPECT_EQ(mesh->elements, nullptr);
        EXPECT_EQ(mesh->verticesBuffer, nullptr);
        EXPECT_EQ(mesh->elementsBuffer, nullptr);
        EXPECT_TRUE(mesh->cullFace);
    }
    EXPECT_FALSE(plain.buffered);
    EXPECT_TRUE(buffered.buffered);
    EXPECT_EQ(buffered.usage, 35044u);
}

TEST(MeshTest, PlaneIsAUnitQuadFacingPlusZ) {
    std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
    EXPECT_FALSE(mesh->buffered);
    EXPECT_EQ(mesh->texcoords, nullptr);
    EXPECT_EQ(mesh->normals, nullptr);
    EXPECT_EQ(mesh->colors, nullptr);
    const std::vector<Vector3> expected = {{-1, 1, 0}, {1, 1, 0}, {1, -1, 0}, {-1, -1, 0}};
    EXPECT_EQ(positionsOf(*mesh), expected);
    EXPECT_EQ(elementsOf(*mesh), (std::vector<unsigned short>{0, 3, 1, 1, 3, 2}));
    for (int k = 0; k < 2; k++) {
        const Vector3& a = mesh->vertices->at(mesh->elements->at(3 * k));
        const Vector3& b = mesh->vertices->at(mesh->elements->at(3 * k + 1));
        const Vector3& c = mesh->vertices->at(mesh->elements->at(3 * k + 2));
        Vector3 n = cross(b - a, c - a);
        EXPECT_GT(n.z, 0) << "triangle " << k;
    }
}

TEST(MeshTest, PlanesAccumulateAndFollowTheirMatrix) {
    Mesh mesh;
    mesh.generatePlane(Matrix4x4());
    Matrix4x4 m(Vector3(10, 0, -2));
    m.scale(Vector3(2, 0.5f, 1));
    mesh.generatePlane(m);
    ASSERT_EQ(mesh.vertices->size(), 8);
    EXPECT_EQ(elementsOf(mesh), (std::vector<unsigned short>{0, 3, 1, 1, 3, 2, 4, 7, 5, 5, 7, 6}));
    EXPECT_EQ(mesh.vertices->at(4), Vector3(8, 0.5f, -2));
    EXPECT_EQ(mesh.vertices->at(6), Vector3(12, -0.5f, -2));
}

TEST(MeshTest, PlaneAppendsTexcoordsOnlyWhenTheListExists) {
    Mesh mesh;
    mesh.texcoords = new List<Vector2>();
    mesh.generatePlane(Matrix4x4(Vector3(3, 3, 3)));
    ASSERT_EQ(mesh.texcoords->size(), 4);
    const std::vector<Vector2> expected = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    EXPECT_EQ(std::vector<Vector2>(mesh.texcoords->begin(), mesh.texcoords->end()), expected);
}

TEST(MeshTest, PlaneBeyondSixteenBitIndicesGetsNoTriangles) {
    // Corner indices must fit 16 bits: with 65532 vertices the new corners are 65532..65535.
    for (int existing : {65532, 65533}) {
        SCOPED_TRACE(existing);
        Mesh mesh;
        mesh.vertices = new List<Vector3>();
        for (int i = 0; i < existing; i++) mesh.vertices->add(Vector3());
        mesh.generatePlane(Matrix4x4());
        EXPECT_EQ(mesh.vertices->size(), existing + 4);
        std::vector<unsigned short> indices = elementsOf(mesh);
        if (existing == 65532) {
            EXPECT_EQ(indices, (std::vector<unsigned short>{65532, 65535, 65533, 65533, 65535, 65534}));
        } else {
            EXPECT_TRUE(indices.empty());
        }
    }
}

TEST(MeshTest, SettersReadWholeRecords) {
    Mesh mesh;
    float colors[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 9};
    mesh.setColors(24, colors);
    ASSERT_EQ(mesh.colors->size(), 2);
    EXPECT_EQ(mesh.colors->at(0), (Color{0.1f, 0.2f, 0.3f, 1}));
    EXPECT_EQ(mesh.colors->at(1), (Color{0.4f, 0.5f, 0.6f, 1}));

    float positions[] = {1, 2, 3, 4, 5, 6, 7};
    mesh.setVertices(28, positions);  // one float short of a third record
    EXPECT_EQ(positionsOf(mesh), (std::vector<Vector3>{{1, 2, 3}, {4, 5, 6}}));

    float uv[] = {0.25f, 0.75f, 1, 0};
    mesh.setTexcoords(16, uv);
    ASSERT_EQ(mesh.texcoords->size(), 2);
    EXPECT_EQ(mesh.texcoords->at(1), Vector2(1, 0));

    unsigned short indices[] = {2, 0, 1};
    mesh.setElements(6, indices);
    EXPECT_EQ(elementsOf(mesh), (std::vector<unsigned short>{2, 0, 1}));

    // Each setter replaces the list; nothing or a null array gives an empty one.
    mesh.setVertices(0, positions);
    EXPECT_EQ(mesh.vertices->size(), 0);
    mesh.setElements(6, nullptr);
    EXPECT_EQ(mesh.elements->size(), 0);
}

TEST(MeshTest, ClearingDropsTheList) {
    std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
    float colors[12] = {};
    mesh->setColors(48, colors);
    mesh->clearColors();
    EXPECT_EQ(mesh->colors, nullptr);
    mesh->clearElements();
    EXPECT_EQ(mesh->elements, nullptr);
    mesh->clearVertices();
    EXPECT_EQ(mesh->vertices, nullptr);
    mesh->clearTexcoords();  // absent lists are fine too
    mesh->releaseBuffers();
    EXPECT_EQ(mesh->verticesBuffer, nullptr);
}

TEST(MeshTest, UnbufferedMeshRefusesUploads) {
    std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
    const std::vector<std::pair<const char*, std::function<void()>>> uploads = {
        {"vertices", [&] { mesh->updateVertices(); }}, {"normals", [&] { mesh->updateNormals(); }},
        {"colors", [&] { mesh->updateColors(); }},     {"texcoords", [&] { mesh->updateTexcoords(); }},
        {"elements", [&] { mesh->updateElements(); }},
    };
    for (const auto& upload : uploads) {
        EXPECT_EQ(thrownMessage(upload.second), "Mesh is not buffered.") << upload.first;
    }
    // createBuffers does nothing for an unbuffered mesh.
    mesh->createBuffers();
    EXPECT_EQ(mesh->verticesBuffer, nullptr);
    EXPECT_EQ(mesh->elementsBuffer, nullptr);
}

TEST(MeshTest, ComputedNormalsOfAPlanePointAlongZ) {
    std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
    mesh->computeNormals();
    ASSERT_NE(mesh->normals, nullptr);
    ASSERT_EQ(mesh->normals->size(), 4);
    for (const Vector3& n : *mesh->normals) EXPECT_TRUE(near(n, Vector3(0, 0, 1)));

    // A second call replaces the list rather than adding to it.
    mesh->computeNormals();
    EXPECT_EQ(mesh->normals->size(), 4);
}

TEST(MeshTest, ComputedNormalOfACubeCornerIsTheRunningBlend) {
    // Three faces of the unit cube meet at the origin, their outward normals -x, -y, -z,
    // visited in that order. The running value is renormalised after every face.
    Mesh mesh;
    float positions[] = {0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0};
    mesh.setVertices(sizeof positions, positions);
    unsigned short faces[] = {0, 1, 2, 0, 3, 1, 0, 2, 3};
    mesh.setElements(sizeof faces, faces);
    mesh.computeNormals();
    const Vector3& corner = mesh.normals->at(0);
    EXPECT_NEAR(length(corner), 1.0f, 1e-6f);
    EXPECT_TRUE(near(corner, Vector3(-0.6324555f, -0.6324555f, -0.4472136f)));
    // (1, 0, 0) lies on the -y and -z faces: an even blend of the two.
    EXPECT_TRUE(near(mesh.normals->at(3), Vector3(0, -0.70710678f, -0.70710678f)));
}

TEST(MeshTest, ComputeNormalsNeedsVerticesAndElements) {
    Mesh empty;
    EXPECT_EQ(thrownMessage([&] { empty.computeNormals(); }), "Compute normals requires vertices");
    float positions[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    empty.setVertices(sizeof positions, positions);
    EXPECT_EQ(thrownMessage([&] { empty.computeNormals(); }), "Compute normals requires elements");
}

TEST(MeshTest, IncompleteOrBrokenTrianglesAreIgnored) {
    // Two whole triangles, then a partial one; the second names a vertex that does not exist.
    Mesh mesh;
    float positions[] = {-1, -1, 0, 1, -1, 0, 0, 1, 0};
    mesh.setVertices(sizeof positions, positions);
    unsigned short indices[] = {0, 1, 2, 0, 1, 7, 2, 0};
    mesh.setElements(sizeof indices, indices);
    EXPECT_EQ(mesh.triangleCount(), 2);

    mesh.computeNormals();
    for (const Vector3& n : *mesh.normals) EXPECT_TRUE(near(n, Vector3(0, 0, 1)));

    RaycastInfo info;
    mesh.raycast(Ray{Vector3(0, 0, 3), Vector3(0, 0, -1)}, &info);
    EXPECT_EQ(info.distance, 3);
}

struct RayCase {
    const char* label;
    Vector3 origin;
    Vector3 direction;
    bool cullFace;
    float before;    // info.distance on entry
    float distance;  // expected on return (before when missed)
    Vector3 point;
    Vector3 normal;
};

TEST(MeshTest, RaycastAgainstThePlane) {
    const std::vector<RayCase> cases = {
        {"front", {0, 0, 5}, {0, 0, -1}, true, -1, 5, {0, 0, 0}, {0, 0, 4}},
        {"front, off centre, long direction",
         {0.5f, -0.25f, 5},
         {0, 0, -2},
         true,
         -1,
         2.5f,
         {0.5f, -0.25f, 0},
         {0, 0, 4}},
        {"back, culled", {0, 0, -5}, {0, 0, 1}, true, -1, -1, {}, {}},
        {"back, not culled", {0, 0, -5}, {0, 0, 1}, false, -1, 5, {0, 0, 0}, {0, 0, -4}},
        {"plane behind the origin", {0, 0, -5}, {0, 0, -1}, false, -1, -1, {}, {}},
        {"beside the quad", {1.5f, 0, 5}, {0, 0, -1}, true, -1, -1, {}, {}},
        {"on the outer edge", {1, 0.5f, 5}, {0, 0, -1}, true, -1, 5, {1, 0.5f, 0}, {0, 0, 4}},
        {"on a corner", {-1, -1, 5}, {0, 0, -1}, true, -1, 5, {-1, -1, 0}, {0, 0, 4}},
        {"on the shared edge", {0.5f, 0.5f, 5}, {0, 0, -1}, true, -1, 5, {0.5f, 0.5f, 0}, {0, 0, 4}},
        {"parallel, in the plane", {-5, 0, 0}, {1, 0, 0}, false, -1, -1, {}, {}},
        {"parallel, above", {-5, 0, 1}, {1, 0, 0}, false, -1, -1, {}, {}},
        {"oblique", {0, -3, 4}, {0, 3, -4}, true, -1, 1, {0, 0, 0}, {0, 0, 4}},
        {"an earlier hit is nearer", {0, 0, 5}, {0, 0, -1}, true, 3, 3, {}, {}},
        {"an earlier hit is as near", {0, 0, 5}, {0, 0, -1}, true, 5, 5, {}, {}},
        {"an earlier hit is farther", {0, 0, 5}, {0, 0, -1}, true, 7, 5, {0, 0, 0}, {0, 0, 4}},
        {"starting on the plane", {0.2f, 0.2f, 0}, {0, 0, -1}, true, -1, 0, {0.2f, 0.2f, 0}, {0, 0, 4}},
    };
    for (const RayCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::unique_ptr<Mesh> mesh(Mesh::createPlane(Matrix4x4()));
        mesh->cullFace = c.cullFace;
        RaycastInfo info;
        info.distance = c.before;
        mesh->raycast(Ray{c.origin, c.direction}, &info);
        EXPECT_EQ(info.distance, c.distance);
        if (c.distance != c.before) {
            EXPECT_TRUE(near(info.point, c.point));
            EXPECT_TRUE(near(info.normal, c.normal));
        } else {
            EXPECT_EQ(info.point, Vector3());  // untouched
            EXPECT_EQ(info.normal, Vector3());
        }
    }
}

TEST(MeshTest, RaycastKeepsTheNearestAndOnTiesTheEarlierTriangle) {
    // Two coplanar triangles over the same point: their unnormalised normals differ in size,
    // which tells which one was kept.
    const std::vector<Vector3> small = {{-1, -1, 0}, {1, -1, 0}, {0, 1, 0}};   // N = (0, 0, 4)
    const std::vector<Vector3> large = {{-2, -2, 0}, {2, -2, 0}, {0, 2, 0}};   // N = (0, 0, 16)
    const std::vector<Vector3> nearer = {{-1, -1, 1}, {1, -1, 1}, {0, 1, 1}};  // z = 1
    const Ray ray{Vector3(0, 0, 5), Vector3(0, 0, -1)};
    struct Case {
        const char* label;
        std::vector<std::vector<Vector3>> order;
        float distance;
        float normalZ;
    };
    const std::vector<Case> cases = {
        {"small first", {small, large}, 5, 4},
        {"large first", {large, small}, 5, 16},
        {"nearer last", {small, large, nearer}, 4, 4},
        {"nearer first", {nearer, large}, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::vector<Vector3> corners;
        for (const auto& t : c.order) corners.insert(corners.end(), t.begin(), t.end());
        std::unique_ptr<Mesh> mesh = triangles(corners);
        RaycastInfo info;
        mesh->raycast(ray, &info);
        EXPECT_EQ(info.distance, c.distance);
        EXPECT_EQ(info.normal, Vector3(0, 0, c.normalZ));
    }
}

TEST(MeshTest, RaycastOfAnEmptyOrDegenerateMeshFindsNothing) {
    const Ray ray{Vector3(0, 0, 5), Vector3(0, 0, -1)};
    Mesh empty;
    RaycastInfo info;
    empty.raycast(ray, &info);
    EXPECT_EQ(info.distance, -1);

    // A triangle collapsed to a line, and one with a NaN corner.
    float nan = std::nanf("");
    std::unique_ptr<Mesh> mesh =
        triangles({{-1, 0, 0}, {0, 0, 0}, {1, 0, 0}, {-1, -1, 0}, {1, -1, 0}, {nan, 1, 0}});
    mesh->cullFace = false;
    mesh->raycast(ray, &info);
    EXPECT_EQ(info.distance, -1);
}

}  // namespace
