#version 110
// Multiple texturing, vertex stage: the toolkit supplies one set of texture
// coordinates, so both images are placed from it; the second is repeated
// twice as often, so its pattern runs across the first one's.

void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_TexCoord[1] = vec4(gl_MultiTexCoord0.st * 2.0, 0.0, 1.0);
    gl_Position = ftransform();
}
