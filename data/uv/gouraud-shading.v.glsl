// Gouraud shading: the fixed-function lighting equation evaluated per vertex, in world
// space, for up to ten light records of 18 floats (w = 0: a direction towards the light,
// otherwise a point at xyz / w):
//   position x y z w | diffuse r g b | specular r g b | constant, linear, quadratic
//   attenuation | spot cutoff (degrees, 180 = no spot) | spot exponent | spot direction x y z
// Without lights the colour is the scene ambient times the material ambient, as the
// fixed-function build draws it.
attribute vec3 v_coord;
attribute vec3 v_normal;
attribute vec2 v_texcoord;

uniform mat4 mvp;
uniform mat4 m;
uniform mat4 v_inv;
uniform vec3 scene_ambient;
uniform vec4 mat_ambient;
uniform vec3 mat_diffuse;
uniform vec3 mat_specular;
uniform float mat_shininess;
uniform int lights_count;
uniform float lights[180];

varying vec4 f_color;
varying vec2 f_texcoord;

const int MAX_LIGHTS = 10;
const int RECORD = 18;

// The normal under the model matrix: the inverse transpose of its 3x3 block, written with
// cross products (the cofactor matrix) because GLSL 1.20 has no inverse().
vec3 worldNormal(vec3 n) {
    vec3 c0 = m[0].xyz;
    vec3 c1 = m[1].xyz;
    vec3 c2 = m[2].xyz;
    mat3 cofactors = mat3(cross(c1, c2), cross(c2, c0), cross(c0, c1));
    float handedness = dot(c0, cross(c1, c2)) < 0.0 ? -1.0 : 1.0;
    return normalize(cofactors * n) * handedness;
}

vec3 lightSum(vec3 position, vec3 normal) {
    // Viewer at infinity along the camera's +z, as without GL_LIGHT_MODEL_LOCAL_VIEWER.
    vec3 toEye = normalize((v_inv * vec4(0.0, 0.0, 1.0, 0.0)).xyz);
    vec3 sum = vec3(0.0);
    for (int i = 0; i < MAX_LIGHTS; i++) {
        if (i >= lights_count) break;
        int b = i * RECORD;
        vec3 lightPosition = vec3(lights[b], lights[b + 1], lights[b + 2]);
        float w = lights[b + 3];
        vec3 diffuse = vec3(lights[b + 4], lights[b + 5], lights[b + 6]);
        vec3 specular = vec3(lights[b + 7], lights[b + 8], lights[b + 9]);
        float cutoff = lights[b + 13];
        float exponent = lights[b + 14];
        vec3 spotDirection = vec3(lights[b + 15], lights[b + 16], lights[b + 17]);

        vec3 toLight;
        float attenuation = 1.0;
        if (w == 0.0) {
            toLight = normalize(lightPosition);
        } else {
            vec3 d = lightPosition / w - position;
            float range = length(d);
            toLight = d / range;
            attenuation = 1.0 / (lights[b + 10] + lights[b + 11] * range + lights[b + 12] * range * range);
        }
        if (cutoff != 180.0) {
            float along = dot(-toLight, normalize(spotDirection));
            if (along < cos(radians(cutoff))) {
                attenuation = 0.0;
            } else {
                attenuation *= exponent == 0.0 ? 1.0 : pow(max(along, 0.0), exponent);
            }
        }

        float lambert = dot(normal, toLight);
        vec3 colour = max(lambert, 0.0) * diffuse * mat_diffuse;
        if (lambert > 0.0) {
            float highlight = max(dot(normal, normalize(toLight + toEye)), 0.0);
            float shine = mat_shininess == 0.0 ? 1.0 : pow(highlight, mat_shininess);
            colour += shine * specular * mat_specular;
        }
        sum += attenuation * colour;
    }
    return sum;
}

void main() {
    vec3 ambient = scene_ambient * mat_ambient.rgb;
    if (lights_count > 0) {
        vec3 position = (m * vec4(v_coord, 1.0)).xyz;
        ambient += lightSum(position, worldNormal(v_normal));
    }
    f_color = clamp(vec4(ambient, mat_ambient.a), 0.0, 1.0);
    // Images are stored top row first: v = 1 is the top of the picture.
    f_texcoord = vec2(v_texcoord.x, 1.0 - v_texcoord.y);
    gl_Position = mvp * vec4(v_coord, 1.0);
}
