// Gouraud shading: the interpolated vertex colour, times the texture when there is one
// (without, the texel is raised to 1 by max(): exact, and no branch per fragment).
uniform sampler2D texture;
uniform float is_textured;

varying vec4 f_color;
varying vec2 f_texcoord;

void main() {
    gl_FragColor = f_color * max(texture2D(texture, f_texcoord), vec4(1.0 - is_textured));
}
