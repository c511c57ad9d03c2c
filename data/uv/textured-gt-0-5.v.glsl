// Textured with an alpha test: positions, texture coordinates and the material
// colour (scene ambient times material ambient, alpha from the material), the same at every
// vertex, so the fragments only interpolate it rather than work it out each.
attribute vec3 v_coord;
attribute vec2 v_texcoord;

uniform mat4 mvp;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;

varying vec2 f_texcoord;
varying vec4 f_color;

void main() {
    // Images are stored top row first: v = 1 is the top of the picture.
    f_texcoord = vec2(v_texcoord.x, 1.0 - v_texcoord.y);
    f_color = vec4(scene_ambient * mat_ambient.rgb, mat_ambient.a);
    gl_Position = mvp * vec4(v_coord, 1.0);
}
