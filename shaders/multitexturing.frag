#version 110
// Multiple texturing, fragment stage: read both images and blend them half
// and half, so each shows through the other.

uniform sampler2D tex1;
uniform sampler2D tex2;

void main()
{
    vec4 first = texture2D(tex1, gl_TexCoord[0].st);
    vec4 second = texture2D(tex2, gl_TexCoord[1].st);
    gl_FragColor = mix(first, second, 0.5);
}
