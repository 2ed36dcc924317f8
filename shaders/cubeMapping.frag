#version 110
// Cube mapping, fragment stage: reflect the ray from the eye about the
// surface normal and look up, in that direction, what the environment shows.

uniform sampler2D tex1;
uniform samplerCube cubeMap;
// The eye in world coordinates (w = 1), sent by the program every frame.
uniform vec4 ViewPosition;

varying vec3 worldNormal;
varying vec3 worldPosition;

void main()
{
    vec3 n = normalize(worldNormal);
    vec3 viewRay = normalize(worldPosition - ViewPosition.xyz);
    vec3 r = reflect(viewRay, n);

    vec4 reflection = textureCube(cubeMap, r);
    vec4 surface = texture2D(tex1, gl_TexCoord[0].st);
    gl_FragColor = mix(surface, reflection, 0.7);
}
