// GLObjectCount: how many GL objects the owning wrappers hold at this moment (Texture,
// GLBuffer, ShaderProgram; the fixed-function build's buffers and programs hold none). A
// count that climbs over display switches or fullscreen toggles is a GPU object that nobody
// releases, which no leak checker sees: the driver frees it with the context.
#pragma once

struct GLObjectCount {
    static int textures;
    static int buffers;
    static int programs;

    static int total() { return textures + buffers + programs; }
};
