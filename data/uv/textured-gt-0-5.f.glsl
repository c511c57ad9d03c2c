// Textured with an alpha test: like the simple textured material, but fragments whose alpha
// is 0.5 or less are discarded, so they neither show nor write depth. Without a texture the
// texel is raised to 1 by max(), as in the simple textured material.
uniform sampler2D texture;
uniform float is_textured;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;

varying vec2 f_texcoord;

void main() {
    vec4 colour = vec4(scene_ambient * mat_ambient.rgb, mat_ambient.a);
    colour *= max(texture2D(texture, f_texcoord), vec4(1.0 - is_textured));
    if (colour.a <= 0.5) discard;
    gl_FragColor = colour;
}
