// Textured without lighting: the material colour (scene ambient times material ambient,
// alpha from the material) times the texture. Without a texture (is_textured 0) the texel is
// raised to 1 by max(), with one (is_textured 1) it is kept as it is: exact either way, and
// no branch per fragment.
uniform sampler2D texture;
uniform float is_textured;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;

varying vec2 f_texcoord;

void main() {
    vec4 colour = vec4(scene_ambient * mat_ambient.rgb, mat_ambient.a);
    colour *= max(texture2D(texture, f_texcoord), vec4(1.0 - is_textured));
    gl_FragColor = colour;
}
