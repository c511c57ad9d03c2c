// Resources: the process-wide registry through which game code obtains textures, sounds,
// meshes and materials by name. Entries are returned at once and load on first use, from the
// pack file when it exists, otherwise from "data/". Main thread only; a GL context must exist
// when an entry first loads a GL object.
#pragma once

#include "core/List.h"
#include "resources/Resource.h"

class Buffer;
class ShaderProgram;

class Resources {
public:
    static const char* archive;   // pack file path, "data.dat" until the application sets it
    static const char* password;  // "" (not null)
    static List<Resource*> resources;

    static MaterialResource* DEFAULT_MATERIAL;
    static MaterialResource* SIMPLE_TEXTURED_MATERIAL;
    static MaterialResource* TEXTURED_ALPHA_GT_0_5_MATERIAL;

    // Registers the three standard materials; loads nothing.
    static void init();

    static Resource* getResource(const char* name);
    static TextureResource* getTextureResource(const char* name, unsigned char filtering,
                                               unsigned long colorKey);
    static SoundResource* getSoundResource(const char* name);
    static MeshResource* getMeshResource(const char* name);
    static MaterialResource* getMaterialResource(const char* name);

    // The bytes of a resource in a new Buffer owned by the caller; throws the message text on
    // failure ("Archive %s cannot be open\n", "Cannot open file %s\n", "Can't load %s\n").
    static Buffer* load(const char* name);
    static Texture* loadTexture(const char* name, unsigned char filtering, unsigned long colorKey);
    static Sound* loadSound(const char* name);
    static Mesh* loadMeshFromObj(const char* name, unsigned int usage);
    static ShaderProgram* loadShaderProgram(const char* vertexName, const char* fragmentName);

    // Drops every loaded object; the entries stay and load again on next use.
    static void releaseData();
    // Deletes every entry.
    static void release();
};
