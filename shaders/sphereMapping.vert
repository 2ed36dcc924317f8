#version 110
// Sphere mapping, vertex stage: the reflection is worked out in eye space,
// where the viewer looks down -z from the origin.

varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
