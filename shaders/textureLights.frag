#version 110
// Texture and lighting, fragment stage: the Phong model with light 0 and the
// front material, the same terms the fixed pipeline evaluates per vertex.

uniform sampler2D tex1;

varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    // Interpolation shortens the normal: make it unit length again.
    vec3 n = normalize(normal);
    // Light 0 is directional (w = 0): its position is the direction to it.
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    // The eye sits at the origin of eye space.
    vec3 toEye = normalize(-eyePosition);

    float diffuse = max(dot(n, toLight), 0.0);
    // Mirror the light about the normal; the closer it points to the eye,
    // the brighter the highlight, sharpened by the material's shininess.
    vec3 mirrored = reflect(-toLight, n);
    // A side turned away from the light gets no highlight.
    float specular = 0.0;
    if (diffuse > 0.0)
        specular = pow(max(dot(mirrored, toEye), 0.0), gl_FrontMaterial.shininess);

    // gl_FrontLightProduct holds light colour times material colour.
    vec3 lit = gl_FrontLightModelProduct.sceneColor.rgb
             + gl_FrontLightProduct[0].ambient.rgb
             + gl_FrontLightProduct[0].diffuse.rgb * diffuse;
    vec4 texel = texture2D(tex1, gl_TexCoord[0].st);
    // The image tints the lit surface; the highlight stays the light's colour.
    gl_FragColor = vec4(texel.rgb * lit + gl_FrontLightProduct[0].specular.rgb * specular,
                        texel.a);
}
