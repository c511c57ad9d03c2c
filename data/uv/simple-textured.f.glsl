// Textured without lighting: the material colour (scene ambient times material ambient,
// alpha from the material) times the texture.
uniform sampler2D texture;
uniform float is_textured;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;

varying vec2 f_texcoord;

void main() {
    vec4 colour = vec4(scene_ambient * mat_ambient.rgb, mat_ambient.a);
    if (is_textured > 0.5) colour *= texture2D(texture, f_texcoord);
    gl_FragColor = colour;
}
