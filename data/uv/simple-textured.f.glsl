// Textured without lighting: the material colour times the texture. Without a texture the
// texel weighs nothing (mix by is_textured, 0 or 1, is exact): no branch per fragment.
uniform sampler2D texture;
uniform float is_textured;

varying vec4 f_color;
varying vec2 f_texcoord;

void main() {
    gl_FragColor = f_color * mix(vec4(1.0), texture2D(texture, f_texcoord), is_textured);
}
