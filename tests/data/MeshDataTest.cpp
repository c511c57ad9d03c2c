// The generated meshes, read the way the game's OBJ dialect is defined: v, vt, vn lines and
// triangular faces of v/vt/vn tokens with 1-based indices that fit 16 bits.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "data/DataFiles.h"

namespace {

using Vec = std::array<double, 3>;

struct Obj {
    std::vector<Vec> positions;
    std::vector<std::array<double, 2>> texcoords;
    std::vector<Vec> normals;
    std::vector<std::array<int, 3>> triangles;  // 0-based position indices
    int badFaces = 0;                           // faces that are not three complete v/vt/vn tokens
    int outOfRange = 0;                         // indices outside their lists or above 65535
};

Obj readObj(const std::string& name) {
    Obj obj;
    std::ifstream in(datatest::dataPath(name));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "v") {
            Vec p{};
            words >> p[0] >> p[1] >> p[2];
            obj.positions.push_back(p);
        } else if (keyword == "vt") {
            std::array<double, 2> t{};
            words >> t[0] >> t[1];
            obj.texcoords.push_back(t);
        } else if (keyword == "vn") {
            Vec n{};
            words >> n[0] >> n[1] >> n[2];
            obj.normals.push_back(n);
        } else if (keyword == "f") {
            std::vector<std::string> tokens;
            std::string token;
            while (words >> token) tokens.push_back(token);
            if (tokens.size() != 3) {
                ++obj.badFaces;
                continue;
            }
            std::array<int, 3> corners{};
            for (int k = 0; k < 3; ++k) {
                int v = 0, t = 0, n = 0;
                char slash1 = 0, slash2 = 0;
                std::istringstream parts(tokens[static_cast<size_t>(k)]);
                if (!(parts >> v >> slash1 >> t >> slash2 >> n) || slash1 != '/' || slash2 != '/') {
                    ++obj.badFaces;
                    break;
                }
                corners[static_cast<size_t>(k)] = v - 1;
                bool inRange = v >= 1 && v <= 65535 && v <= static_cast<int>(obj.positions.size()) &&
                               t >= 1 && t <= static_cast<int>(obj.texcoords.size()) && n >= 1 &&
                               n <= static_cast<int>(obj.normals.size());
                if (!inRange) ++obj.outOfRange;
            }
            obj.triangles.push_back(corners);
        }
    }
    return obj;
}

Vec sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double length(const Vec& a) { return std::sqrt(dot(a, a)); }

}  // namespace

TEST(MeshData, EveryMeshIsTexturedTrianglesWithIndicesInRange) {
    for (const char* name : {"lava_stone1.obj", "lava_stone2.obj", "nova.obj"}) {
        Obj obj = readObj(name);
        EXPECT_FALSE(obj.positions.empty()) << name;
        EXPECT_FALSE(obj.texcoords.empty()) << name;
        EXPECT_FALSE(obj.triangles.empty()) << name;
        EXPECT_EQ(obj.badFaces, 0) << name;
        EXPECT_EQ(obj.outOfRange, 0) << name;
        EXPECT_LT(obj.positions.size(), 65536u) << name;
    }
}

TEST(MeshData, RocksAreClosedIrregularBouldersOfRadiusAboutOne) {
    std::vector<Obj> rocks = {readObj("lava_stone1.obj"), readObj("lava_stone2.obj")};
    for (size_t r = 0; r < rocks.size(); ++r) {
        const Obj& rock = rocks[r];
        SCOPED_TRACE("lava_stone" + std::to_string(r + 1));
        EXPECT_GE(rock.triangles.size(), 200u);
        EXPECT_LE(rock.triangles.size(), 800u);
        double nearest = 1e9, farthest = 0.0;
        for (const Vec& p : rock.positions) {
            nearest = std::min(nearest, length(p));
            farthest = std::max(farthest, length(p));
        }
        EXPECT_GT(farthest, 0.9);
        EXPECT_LT(farthest, 1.15);
        EXPECT_GT(nearest, 0.45);  // a boulder, not a spiky star
        EXPECT_LT(nearest, 0.9);   // and not a ball
        // Every face is wound counter-clockwise seen from outside: its normal points away from
        // the centre, and the faces together enclose a positive volume.
        double volume = 0.0;
        for (const auto& t : rock.triangles) {
            const Vec& a = rock.positions[static_cast<size_t>(t[0])];
            const Vec& b = rock.positions[static_cast<size_t>(t[1])];
            const Vec& c = rock.positions[static_cast<size_t>(t[2])];
            Vec n = cross(sub(b, a), sub(c, a));
            Vec centre{(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3};
            EXPECT_GT(dot(n, centre), 0.0);
            volume += dot(a, cross(b, c)) / 6.0;
        }
        EXPECT_GT(volume, 1.0);
        EXPECT_LT(volume, 4.19);  // less than the ball of radius 1
    }
    // Two different rocks, not one written twice.
    ASSERT_FALSE(rocks[0].positions.empty());
    EXPECT_NE(rocks[0].positions, rocks[1].positions);
}

TEST(MeshData, RockTextureCoordinatesSpreadOverTheSurface) {
    // The stone textures tile, so coordinates may leave [0, 1]; they must vary enough that the
    // surface shows several repeats rather than one stretched smear.
    for (const char* name : {"lava_stone1.obj", "lava_stone2.obj"}) {
        Obj obj = readObj(name);
        std::set<std::pair<long, long>> distinct;
        double low = 1e9, high = -1e9;
        for (const auto& t : obj.texcoords) {
            distinct.insert({std::lround(t[0] * 100), std::lround(t[1] * 100)});
            low = std::min({low, t[0], t[1]});
            high = std::max({high, t[0], t[1]});
        }
        EXPECT_GT(distinct.size(), obj.positions.size() / 2) << name;
        EXPECT_GT(high - low, 0.9) << name;
    }
}

TEST(MeshData, NovaReachesOutAlongEveryAxis) {
    // Drawn without culling from whatever side the burst is seen: it must have faces turned
    // towards each axis and reach out in all three directions.
    Obj nova = readObj("nova.obj");
    Vec low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (const Vec& p : nova.positions) {
        for (int k = 0; k < 3; ++k) {
            low[static_cast<size_t>(k)] = std::min(low[static_cast<size_t>(k)], p[static_cast<size_t>(k)]);
            high[static_cast<size_t>(k)] = std::max(high[static_cast<size_t>(k)], p[static_cast<size_t>(k)]);
        }
        EXPECT_LE(length(p), 1.2);
    }
    for (int k = 0; k < 3; ++k) {
        EXPECT_GT(high[static_cast<size_t>(k)] - low[static_cast<size_t>(k)], 1.4) << "axis " << k;
        bool facing = false;
        for (const auto& t : nova.triangles) {
            Vec n = cross(
                sub(nova.positions[static_cast<size_t>(t[1])], nova.positions[static_cast<size_t>(t[0])]),
                sub(nova.positions[static_cast<size_t>(t[2])], nova.positions[static_cast<size_t>(t[0])]));
            double l = length(n);
            if (l > 0.0 && std::fabs(n[static_cast<size_t>(k)]) / l > 0.9) facing = true;
        }
        EXPECT_TRUE(facing) << "no face turned towards axis " << k;
    }
}
