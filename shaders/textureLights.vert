#version 110
// Texture and lighting, vertex stage: pass the normal and the position in
// eye space, where the light's position is kept, so the fragment stage can
// light every pixel instead of every vertex.

varying vec3 normal;
varying vec3 eyePosition;

void main()
{
    normal = gl_NormalMatrix * gl_Normal;
    eyePosition = vec3(gl_ModelViewMatrix * gl_Vertex);
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
