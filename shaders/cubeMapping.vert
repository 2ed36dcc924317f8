#version 110
// Cube mapping, vertex stage: the cube map surrounds the world, so the
// reflection is worked out in world space. The teapot is drawn with no model
// transform, so its vertices and normals already are world coordinates.

varying vec3 worldNormal;
varying vec3 worldPosition;

void main()
{
    worldNormal = gl_Normal;
    worldPosition = gl_Vertex.xyz;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = ftransform();
}
