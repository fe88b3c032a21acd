#include <gtest/gtest.h>

#include "shell/extensions.h"

TEST(ExtensionsGl, MesaHasMultitextureAndItsEntryPointsWork) {
    setExtensionSources({});
    EXPECT_EQ(loadExtensions(), 0);  // no WGL here, so nothing can be reported missing
    EXPECT_EQ(extensionFlag("GL_ARB_multitexture"), 1);
    EXPECT_EQ(extensionFlag("WGL_ARB_extensions_string"), 0);
    const auto activeTexture =
        reinterpret_cast<PFNGLACTIVETEXTUREARBPROC>(extensionProc("glActiveTextureARB"));
    ASSERT_NE(activeTexture, nullptr);
    ASSERT_NE(extensionProc("glMultiTexCoord2fARB"), nullptr);

    activeTexture(GL_TEXTURE1_ARB);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE1_ARB);
    activeTexture(GL_TEXTURE0_ARB);
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE0_ARB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
