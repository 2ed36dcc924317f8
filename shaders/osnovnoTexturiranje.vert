#version 110
// Basic texturing, vertex stage: place the vertex on screen and hand its
// texture coordinates on to the fragment stage.

void main()
{
    // The toolkit gives the teapot coordinates on unit 0 only.
    gl_TexCoord[0] = gl_MultiTexCoord0;
    // Model-view then projection: the same transform the fixed pipeline uses.
    gl_Position = ftransform();
}
