// Textured with an alpha test: like the simple textured material, but fragments whose alpha
// is 0.5 or less are discarded, so they neither show nor write depth.
uniform sampler2D texture;
uniform float is_textured;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;

varying vec2 f_texcoord;

void main() {
    vec4 colour = vec4(scene_ambient * mat_ambient.rgb, mat_ambient.a);
    if (is_textured > 0.5) colour *= texture2D(texture, f_texcoord);
    if (colour.a <= 0.5) discard;
    gl_FragColor = colour;
}
