#include <gtest/gtest.h>

#include "shell/extensions.h"

TEST(ExtensionsGl, MesaHasMultitextureAndItsEntryPointsWork) {
    setExtensionSources({});
    EXPECT_EQ(loadExtensions(), 0);  // no WGL here, so nothing can be reported missing
    EXPECT_EQ(extensionFlag("GL_ARB_multitexture"), 1);
    EXPECT_EQ(extensionFlag("WGL_ARB_extensions_string"), 0);
    ASSERT_NE(glActiveTextureARBProc, nullptr);
    ASSERT_NE(glMultiTexCoord2fARBProc, nullptr);

    glActiveTextureARBProc(GL_TEXTURE1_ARB);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE1_ARB);
    glActiveTextureARBProc(GL_TEXTURE0_ARB);
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE0_ARB);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
