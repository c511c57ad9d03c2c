// Textured with an alpha test: like the simple textured material, but fragments whose alpha
// is 0.5 or less are discarded, so they neither show nor write depth.
uniform sampler2D texture;
uniform float is_textured;

varying vec4 f_color;
varying vec2 f_texcoord;

void main() {
    vec4 colour = f_color * mix(vec4(1.0), texture2D(texture, f_texcoord), is_textured);
    if (colour.a <= 0.5) discard;
    gl_FragColor = colour;
}
