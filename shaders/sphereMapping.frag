#version 110
// Sphere mapping, fragment stage: a sphere map is the picture of a mirror
// ball; find where on that ball the reflected view ray would be seen.

uniform sampler2D tex1;
uniform sampler2D envMap;

varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    vec3 n = normalize(normal);
    // The view ray runs from the eye (the origin) to the surface point.
    vec3 viewRay = normalize(eyePosition);
    vec3 r = reflect(viewRay, n);
    // The ball's normal that mirrors r back to the viewer is r + (0, 0, 1);
    // its x and y, scaled into 0..1, are the point on the picture.
    float m = 2.0 * sqrt(r.x * r.x + r.y * r.y + (r.z + 1.0) * (r.z + 1.0));
    // m is 0 only for a ray reflected straight away from the viewer.
    vec2 ballPoint = r.xy / max(m, 0.0001) + 0.5;

    vec4 reflection = texture2D(envMap, ballPoint);
    vec4 surface = texture2D(tex1, gl_TexCoord[0].st);
    // The surface's image tints the mirror, like coloured chrome.
    gl_FragColor = reflection * surface;
}
