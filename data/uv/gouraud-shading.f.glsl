// Gouraud shading: the interpolated vertex colour, times the texture when there is one.
uniform sampler2D texture;
uniform float is_textured;

varying vec4 f_color;
varying vec2 f_texcoord;

void main() {
    vec4 colour = f_color;
    if (is_textured > 0.5) colour *= texture2D(texture, f_texcoord);
    gl_FragColor = colour;
}
