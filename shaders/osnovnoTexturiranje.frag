#version 110
// Basic texturing, fragment stage: each pixel takes the colour of the image
// at its interpolated texture coordinates. No lighting at all.

uniform sampler2D tex1;

void main()
{
    gl_FragColor = texture2D(tex1, gl_TexCoord[0].st);
}
