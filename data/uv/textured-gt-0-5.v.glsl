// Textured with an alpha test: positions and texture coordinates only.
attribute vec3 v_coord;
attribute vec2 v_texcoord;

uniform mat4 mvp;

varying vec2 f_texcoord;

void main() {
    // Images are stored top row first: v = 1 is the top of the picture.
    f_texcoord = vec2(v_texcoord.x, 1.0 - v_texcoord.y);
    gl_Position = mvp * vec4(v_coord, 1.0);
}
