// Procedural models. Rocks start from an icosphere (320 triangles after two subdivisions);
// every face is wound counter-clockwise seen from outside.
#include "Meshes.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "Noise.h"
#include "Random.h"

namespace datagen {
namespace {

const float PI = 3.14159265f;

// Smooth 3D value noise in [-1, 1], enough for bumps on a unit sphere.
float valueNoise3(Vec3 p, uint32_t seed) {
    float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    auto fade = [](float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); };
    float tx = fade(p.x - fx), ty = fade(p.y - fy), tz = fade(p.z - fz);
    auto corner = [&](int dx, int dy, int dz) {
        uint32_t h = hash2(ix + dx, iy + dy, seed ^ hash32(static_cast<uint32_t>(iz + dz) * 0x27d4eb2dU));
        return unitFloat(h) * 2.0f - 1.0f;
    };
    float x00 = mix(corner(0, 0, 0), corner(1, 0, 0), tx);
    float x10 = mix(corner(0, 1, 0), corner(1, 1, 0), tx);
    float x01 = mix(corner(0, 0, 1), corner(1, 0, 1), tx);
    float x11 = mix(corner(0, 1, 1), corner(1, 1, 1), tx);
    return mix(mix(x00, x10, ty), mix(x01, x11, ty), tz);
}

struct Sphere {
    std::vector<Vec3> points;
    std::vector<int> faces;
};

Sphere icosphere(int subdivisions) {
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    Sphere s;
    Vec3 base[12] = {{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
                     {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
    for (Vec3 v : base) s.points.push_back(normalize(v));
    s.faces = {0, 11, 5,  0, 5,  1, 0, 1, 7, 0, 7,  10, 0, 10, 11, 1, 5, 9, 5, 11,
               4, 11, 10, 2, 10, 7, 6, 7, 1, 8, 3,  9,  4, 3,  4,  2, 3, 2, 6, 3,
               6, 8,  3,  8, 9,  4, 9, 5, 2, 4, 11, 6,  2, 10, 8,  6, 7, 9, 8, 1};
    for (int level = 0; level < subdivisions; ++level) {
        std::map<std::pair<int, int>, int> middles;
        auto middle = [&](int a, int b) {
            std::pair<int, int> key(std::min(a, b), std::max(a, b));
            auto found = middles.find(key);
            if (found != middles.end()) return found->second;
            s.points.push_back(normalize(s.points[a] + s.points[b]));
            int index = static_cast<int>(s.points.size()) - 1;
            middles[key] = index;
            return index;
        };
        std::vector<int> next;
        for (size_t f = 0; f < s.faces.size(); f += 3) {
            int a = s.faces[f], b = s.faces[f + 1], c = s.faces[f + 2];
            int ab = middle(a, b), bc = middle(b, c), ca = middle(c, a);
            int tris[12] = {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca};
            next.insert(next.end(), tris, tris + 12);
        }
        s.faces.swap(next);
    }
    return s;
}

// Box projection: each face takes the texture from the side of a cube that it faces most,
// scaled so one picture spans about one unit. Compared with a spherical mapping this keeps
// the cracks of the texture evenly sized everywhere, with no pinched poles; the seams fall
// on chart borders where the tiling lava pattern hides them as just more cracks.
int boxChart(Vec3 n) {
    float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    if (ax >= ay && ax >= az) return n.x > 0.0f ? 0 : 1;
    if (ay >= az) return n.y > 0.0f ? 2 : 3;
    return n.z > 0.0f ? 4 : 5;
}

Vec2 boxUv(Vec3 p, int chart) {
    const float k = 0.55f;  // texture repeats per unit
    switch (chart) {
        case 0:
            return Vec2{-p.z * k + 0.5f, p.y * k + 0.5f};
        case 1:
            return Vec2{p.z * k + 0.5f, p.y * k + 0.5f};
        case 2:
            return Vec2{p.x * k + 0.5f, -p.z * k + 0.5f};
        case 3:
            return Vec2{p.x * k + 0.5f, p.z * k + 0.5f};
        case 4:
            return Vec2{p.x * k + 0.5f, p.y * k + 0.5f};
        default:
            return Vec2{-p.x * k + 0.5f, p.y * k + 0.5f};
    }
}

}  // namespace

TriMesh makeRock(const RockStyle& style) {
    Random random(style.seed);
    Sphere sphere = icosphere(2);
    // A random tilt so that the icosahedron's symmetry and the texture poles do not line up.
    Mat4 tilt =
        Mat4::rotation(random.range(0.0f, 360.0f), Vec3{random.range(-1, 1), 1.0f, random.range(-1, 1)});

    struct Plane {
        Vec3 normal;
        float distance;
    };
    std::vector<Plane> planes;
    for (int i = 0; i < style.cuts; ++i) {
        Vec3 n = normalize(Vec3{random.gaussian(), random.gaussian(), random.gaussian()});
        planes.push_back(Plane{n, 1.0f - style.cutDepth * random.range(0.3f, 1.0f)});
    }
    uint32_t noiseSeed = static_cast<uint32_t>(random.next());

    std::vector<Vec3> directions;
    std::vector<Vec3> shaped;
    for (const Vec3& p : sphere.points) {
        Vec3 d = normalize(tilt.transformDirection(p));
        Vec3 e{d.x * style.stretch.x, d.y * style.stretch.y, d.z * style.stretch.z};
        float r = length(e);
        // Chisel: the surface cannot pass beyond any cut plane.
        for (const Plane& plane : planes) {
            float facing = dot(d, plane.normal);
            if (facing > 0.05f) r = std::min(r, plane.distance / facing);
        }
        float bumps = valueNoise3(d * 1.7f, noiseSeed) * style.lumpiness +
                      valueNoise3(d * 4.3f, noiseSeed + 17u) * style.lumpiness * 0.35f;
        r *= 1.0f + bumps;
        directions.push_back(d);
        shaped.push_back(d * r);
    }
    float largest = 0.0f;
    for (const Vec3& p : shaped) largest = std::max(largest, length(p));
    for (Vec3& p : shaped) p = p * (1.05f / largest);

    // Wind every face counter-clockwise seen from outside, judged on the unit sphere where
    // outside is unambiguous.
    for (size_t f = 0; f < sphere.faces.size(); f += 3) {
        Vec3 a = directions[static_cast<size_t>(sphere.faces[f])];
        Vec3 b = directions[static_cast<size_t>(sphere.faces[f + 1])];
        Vec3 c = directions[static_cast<size_t>(sphere.faces[f + 2])];
        if (dot(cross(b - a, c - a), a + b + c) < 0.0f) std::swap(sphere.faces[f + 1], sphere.faces[f + 2]);
    }

    TriMesh shape;
    shape.positions = shaped;
    shape.indices = sphere.faces;
    computeNormals(shape);

    // Texture coordinates per chart: a vertex used by faces of several charts is split into
    // one copy per chart (the OBJ loader keeps one coordinate per position).
    TriMesh mesh;
    std::map<std::pair<int, int>, int> copies;  // (vertex, chart) -> index in mesh
    for (size_t f = 0; f < shape.indices.size(); f += 3) {
        Vec3 a = shape.positions[static_cast<size_t>(shape.indices[f])];
        Vec3 b = shape.positions[static_cast<size_t>(shape.indices[f + 1])];
        Vec3 c = shape.positions[static_cast<size_t>(shape.indices[f + 2])];
        int chart = boxChart(cross(b - a, c - a));
        for (int k = 0; k < 3; ++k) {
            int vertex = shape.indices[f + k];
            auto key = std::make_pair(vertex, chart);
            auto found = copies.find(key);
            int index;
            if (found != copies.end()) {
                index = found->second;
            } else {
                index = static_cast<int>(mesh.positions.size());
                Vec3 p = shape.positions[static_cast<size_t>(vertex)];
                mesh.positions.push_back(p);
                mesh.normals.push_back(shape.normals[static_cast<size_t>(vertex)]);
                mesh.texcoords.push_back(boxUv(p, chart));
                copies[key] = index;
            }
            mesh.indices.push_back(index);
        }
    }
    return mesh;
}

TriMesh makeNova(uint64_t seed) {
    Random random(seed);
    TriMesh mesh;
    auto vertex = [&](Vec3 p, Vec2 uv) {
        mesh.positions.push_back(p);
        mesh.texcoords.push_back(uv);
        Vec3 n = normalize(p);
        mesh.normals.push_back(length(p) > 0.0f ? n : Vec3{0.0f, 0.0f, 1.0f});
        return static_cast<int>(mesh.positions.size()) - 1;
    };
    auto triangle = [&](int a, int b, int c) {
        mesh.indices.push_back(a);
        mesh.indices.push_back(b);
        mesh.indices.push_back(c);
    };

    // Crossed planes: three orthogonal and four along the cube diagonals, each carrying the
    // whole burst picture. Seen from any side several of them face the viewer.
    std::vector<std::pair<Vec3, Vec3>> frames = {
        {{1, 0, 0}, {0, 1, 0}},  {{0, 1, 0}, {0, 0, 1}}, {{0, 0, 1}, {1, 0, 0}},  {{1, 1, 0}, {0, 0, 1}},
        {{1, -1, 0}, {0, 0, 1}}, {{0, 1, 1}, {1, 0, 0}}, {{0, 1, -1}, {1, 0, 0}},
    };
    for (size_t i = 0; i < frames.size(); ++i) {
        Vec3 a = normalize(frames[i].first) * 0.8f;
        Vec3 b = normalize(frames[i].second) * 0.8f;
        int v0 = vertex(Vec3{} - a - b, Vec2{0, 0});
        int v1 = vertex(a - b, Vec2{1, 0});
        int v2 = vertex(a + b, Vec2{1, 1});
        int v3 = vertex(Vec3{} - a + b, Vec2{0, 1});
        triangle(v0, v1, v2);
        triangle(v0, v2, v3);
    }

    // Blades: a spike from the centre to a tip, made of two crossed triangles. The picture is
    // read along one radius: bright at the base (its centre), fading at the tip (its rim).
    const int blades = 18;
    const float golden = PI * (3.0f - std::sqrt(5.0f));
    for (int i = 0; i < blades; ++i) {
        // Fibonacci sphere directions, jittered, give an even but not regular spread.
        float y = 1.0f - (i + 0.5f) * 2.0f / blades;
        float ring = std::sqrt(std::max(0.0f, 1.0f - y * y));
        float angle = golden * i + random.range(-0.3f, 0.3f);
        Vec3 dir = normalize(Vec3{std::cos(angle) * ring, y, std::sin(angle) * ring});
        float reach = random.range(0.85f, 1.0f);
        float width = random.range(0.08f, 0.13f);
        Vec3 side1 = normalize(cross(dir, std::fabs(dir.y) < 0.9f ? Vec3{0, 1, 0} : Vec3{1, 0, 0}));
        Vec3 side2 = normalize(cross(dir, side1));
        Vec3 tip = dir * reach;
        float spin = random.range(0.0f, 2.0f * PI);
        Vec2 rim{0.5f + 0.48f * std::cos(spin), 0.5f + 0.48f * std::sin(spin)};
        Vec2 inner{0.5f + 0.06f * std::cos(spin + 1.3f), 0.5f + 0.06f * std::sin(spin + 1.3f)};
        Vec2 inner2{0.5f + 0.06f * std::cos(spin - 1.3f), 0.5f + 0.06f * std::sin(spin - 1.3f)};
        for (Vec3 side : {side1, side2}) {
            int base1 = vertex(side * width, inner);
            int base2 = vertex(side * -width, inner2);
            int top = vertex(tip, rim);
            triangle(base1, base2, top);
        }
    }
    return mesh;
}

}  // namespace datagen
