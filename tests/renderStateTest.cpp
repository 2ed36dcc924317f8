#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>

#include "app/renderState.h"

namespace {

using Float4 = std::array<float, 4>;

Float4 lightValue(GLenum name)
{
    Float4 v{};
    glGetLightfv(GL_LIGHT0, name, v.data());
    return v;
}

Float4 materialValue(GLenum name)
{
    Float4 v{};
    glGetMaterialfv(GL_FRONT, name, v.data());
    return v;
}

GLint integer(GLenum name)
{
    GLint v = 0;
    glGetIntegerv(name, &v);
    return v;
}

}  // namespace

TEST(RenderState, EnablesAndModes)
{
    initRenderState();
    struct Capability {
        GLenum name;
        bool enabled;
    };
    const Capability capabilities[] = {
        {GL_DEPTH_TEST, true},      {GL_CULL_FACE, true},      {GL_BLEND, true},
        {GL_LIGHTING, true},        {GL_LIGHT0, true},         {GL_LIGHT1, false},
        {GL_FOG, false},            {GL_COLOR_MATERIAL, false}, {GL_TEXTURE_2D, false},
        {GL_TEXTURE_CUBE_MAP, false},
    };
    for (const Capability& c : capabilities)
        EXPECT_EQ(glIsEnabled(c.name) == GL_TRUE, c.enabled) << "capability 0x" << std::hex << c.name;

    EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_FRONT);
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
    GLint polygonMode[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    EXPECT_EQ(polygonMode[0], GL_FILL);
    EXPECT_EQ(polygonMode[1], GL_FILL);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ZERO);
    EXPECT_EQ(integer(GL_FOG_HINT), GL_DONT_CARE);
    float size = 0;
    glGetFloatv(GL_POINT_SIZE, &size);
    EXPECT_EQ(size, 2.0f);
    glGetFloatv(GL_LINE_WIDTH, &size);
    EXPECT_EQ(size, 1.0f);
    Float4 clear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    EXPECT_EQ(clear, (Float4{0, 0, 0, 1}));
}

TEST(RenderState, LightAndMaterial)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    initRenderState();
    EXPECT_EQ(lightValue(GL_AMBIENT), (Float4{1, 1, 1, 0}));
    EXPECT_EQ(lightValue(GL_DIFFUSE), (Float4{1, 1, 1, 0}));
    EXPECT_EQ(lightValue(GL_SPECULAR), (Float4{1, 1, 1, 0}));
    EXPECT_EQ(lightValue(GL_POSITION), (Float4{50, 20, 50, 0}));
    float exponent = 0;
    glGetLightfv(GL_LIGHT0, GL_SPOT_EXPONENT, &exponent);
    EXPECT_EQ(exponent, 10.0f);

    const Float4 ambient = materialValue(GL_AMBIENT);
    const Float4 diffuse = materialValue(GL_DIFFUSE);
    const Float4 specular = materialValue(GL_SPECULAR);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(ambient[i], 0.1f);
        EXPECT_FLOAT_EQ(diffuse[i], 0.5f);
        EXPECT_FLOAT_EQ(specular[i], 0.8f);
    }
    EXPECT_EQ(ambient[3], 0.0f);
    EXPECT_EQ(diffuse[3], 0.0f);
    EXPECT_EQ(specular[3], 0.0f);
    float shininess = 0;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(shininess, 35.0f);
}
