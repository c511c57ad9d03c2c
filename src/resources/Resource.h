// Registry entries: a name and a lazily loaded object. An entry returns its object on
// demand, loading it on first use; release() drops the object and keeps the entry.
#pragma once

class Texture;
class Sound;
class Mesh;
class Material;

class Resource {
public:
    char* name;  // not copied: callers pass texts that outlive the registry

    explicit Resource(const char* name) : name(const_cast<char*>(name)) {}
    Resource(const Resource&) = delete;
    Resource& operator=(const Resource&) = delete;
    virtual ~Resource() = default;
    virtual void release() = 0;
};

class TextureResource : public Resource {
public:
    unsigned char filtering;
    unsigned long colorKey;
    Texture* texture = nullptr;

    TextureResource(const char* name, unsigned char filtering, unsigned long colorKey)
        : Resource(name), filtering(filtering), colorKey(colorKey) {}
    ~TextureResource() override { release(); }
    Texture* getTexture();
    void release() override;
};

// The Sound object belongs to the audio player; release() only frees its samples.
class SoundResource : public Resource {
public:
    Sound* sound = nullptr;

    explicit SoundResource(const char* name) : Resource(name) {}
    ~SoundResource() override { release(); }
    Sound* getSound();
    void release() override;
};

class MeshResource : public Resource {
public:
    Mesh* mesh = nullptr;

    explicit MeshResource(const char* name) : Resource(name) {}
    ~MeshResource() override { release(); }
    Mesh* getMesh();
    void release() override;
};

// The name is a pair of shader source names, "vertex:fragment".
class MaterialResource : public Resource {
public:
    Material* material = nullptr;
    bool alphaAboveHalf = false;  // handed to the material it loads (render/Material.h)

    explicit MaterialResource(const char* name) : Resource(name) {}
    ~MaterialResource() override { release(); }
    Material* getMaterial();
    void release() override;
};
