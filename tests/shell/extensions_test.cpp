#include "shell/extensions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/extension_tables.h"

namespace {

// A simulated driver: its strings, and every procedure present except the missing ones.
struct FakeDriver {
    const char* version = "1.5.0";
    std::string extensions;
    std::string wgl;
    bool hasWglStringArb = false;
    bool hasWglStringExt = false;
    std::set<std::string> missing;
    std::vector<std::string> requested;

    void* proc(const char* name) {
        requested.emplace_back(name);
        const std::string key = name;
        if (missing.count(key) != 0) {
            return nullptr;
        }
        if (key == "wglGetExtensionsStringARB" && !hasWglStringArb) {
            return nullptr;
        }
        if (key == "wglGetExtensionsStringEXT" && !hasWglStringExt) {
            return nullptr;
        }
        return addressOf(key);
    }
    // A distinct fake address per name, so a test can tell which name filled a slot.
    void* addressOf(const std::string& name) {
        auto [it, inserted] = addresses.try_emplace(name, addresses.size() + 1);
        return reinterpret_cast<void*>(static_cast<uintptr_t>(it->second * 16));
    }
    std::map<std::string, size_t> addresses;
};

class ExtensionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setExtensionSources({[this](ExtensionString which) -> const char* {
                                 switch (which) {
                                     case ExtensionString::Version:
                                         return driver.version;
                                     case ExtensionString::Extensions:
                                         return driver.extensions.c_str();
                                     case ExtensionString::Wgl:
                                         return driver.wgl.c_str();
                                 }
                                 return nullptr;
                             },
                             [this](const char* name) { return driver.proc(name); }});
    }
    void TearDown() override { setExtensionSources({}); }

    bool wasRequested(const std::string& name) const {
        for (const auto& r : driver.requested) {
            if (r == name)
                return true;
        }
        return false;
    }

    FakeDriver driver;
};

TEST_F(ExtensionsTest, CoreVersionFromTheCharacterAfterTheFirstOneDot) {
    struct Case {
        const char* version;
        int v12, v13, v14;
    };
    const Case cases[] = {
        {"1.5.0 NVIDIA 53.03", 1, 1, 1}, {"1.4", 1, 1, 1},   {"1.3.1", 1, 1, 0}, {"1.2", 1, 0, 0},
        {"1.1 Generic", 0, 0, 0},        {"2.0.0", 0, 0, 0}, {"1.", 0, 0, 0}};
    for (const Case& c : cases) {
        driver.version = c.version;
        loadExtensions();
        EXPECT_EQ(extensionFlag("GL_VERSION_1_2"), c.v12) << c.version;
        EXPECT_EQ(extensionFlag("GL_VERSION_1_3"), c.v13) << c.version;
        EXPECT_EQ(extensionFlag("GL_VERSION_1_4"), c.v14) << c.version;
    }
    driver.version = "1.1";
    driver.requested.clear();
    loadExtensions();
    EXPECT_EQ(extensionProc("glTexImage3D"), nullptr);
    EXPECT_FALSE(wasRequested("glTexImage3D"));
}

TEST_F(ExtensionsTest, OnlyWholeTokensCount) {
    driver.extensions = "GL_ARB_multitextureXYZ GL_EXT_abgr";
    EXPECT_EQ(queryExtension("GL_ARB_multitexture"), 0);
    EXPECT_EQ(queryExtension("GL_EXT_abgr"), 1);
    EXPECT_EQ(queryExtension("EXT_abgr"), 0);  // follows letters, not a blank
    EXPECT_EQ(queryExtension("GL_EXT"), 0);

    // A later whole occurrence is still found after a partial one.
    driver.extensions = "GL_ARB_multitexture_more GL_ARB_multitexture";
    EXPECT_EQ(queryExtension("GL_ARB_multitexture"), 1);

    driver.extensions = "GL_EXT_abgr GL_EXT_bgra";
    EXPECT_EQ(queryExtension("GL_EXT_abgr GL_EXT_bgra"), 0);
    EXPECT_EQ(queryExtension("GL_EXT_abgr "), 0);
    EXPECT_EQ(queryExtension(""), 0);
    EXPECT_EQ(queryExtension(nullptr), 0);
}

TEST_F(ExtensionsTest, AdvertisedExtensionsAreFlaggedAndResolved) {
    driver.extensions = "GL_ARB_multitexture GL_EXT_abgr GL_NV_evaluators";
    EXPECT_EQ(loadExtensions(), 0);
    EXPECT_EQ(extensionFlag("GL_ARB_multitexture"), 1);
    EXPECT_EQ(extensionFlag("GL_EXT_abgr"), 1);
    EXPECT_EQ(extensionFlag("GL_NV_fence"), 0);
    EXPECT_EQ(extensionFlag("no_such_flag"), 0);

    EXPECT_EQ(extensionProc("GL_ARB_multitexture", "glActiveTextureARB"),
              driver.addressOf("glActiveTextureARB"));
    EXPECT_EQ(extensionProc("GL_ARB_multitexture", "glMultiTexCoord2fARB"),
              driver.addressOf("glMultiTexCoord2fARB"));
    EXPECT_EQ(extensionProc("glMultiTexCoord4svARB"), driver.addressOf("glMultiTexCoord4svARB"));
    EXPECT_EQ(extensionProc("glGenFencesNV"), nullptr);
    // Evaluators are a flag only.
    EXPECT_EQ(extensionFlag("GL_NV_evaluators"), 1);
    EXPECT_FALSE(wasRequested("glMapControlPointsNV"));
}

TEST_F(ExtensionsTest, AReloadForgetsWhatTheLastDriverHad) {
    driver.extensions = "GL_ARB_multitexture";
    loadExtensions();
    ASSERT_NE(extensionProc("glActiveTextureARB"), nullptr);
    driver.extensions = "GL_EXT_abgr";
    loadExtensions();
    EXPECT_EQ(extensionProc("glActiveTextureARB"), nullptr);
    EXPECT_EQ(extensionProc("glClientActiveTextureARB"), nullptr);
    EXPECT_EQ(extensionFlag("GL_ARB_multitexture"), 0);
}

TEST_F(ExtensionsTest, NoVersionStringMeansNoGlFlagsButTheWglStepRuns) {
    driver.version = nullptr;
    driver.extensions = "GL_ARB_multitexture";
    driver.hasWglStringArb = true;
    driver.wgl = "WGL_EXT_swap_control";
    EXPECT_EQ(loadExtensions(), 0);
    EXPECT_EQ(extensionFlag("GL_ARB_multitexture"), 0);
    EXPECT_EQ(extensionProc("glActiveTextureARB"), nullptr);
    EXPECT_EQ(extensionFlag("WGL_EXT_swap_control"), 1);
    EXPECT_NE(extensionProc("wglSwapIntervalEXT"), nullptr);
}

TEST_F(ExtensionsTest, OnlyAMissingWglEntryPointFailsTheLoad) {
    // A GL extension without one of its entry points: the slot stays null, status 0.
    driver.extensions = "GL_ARB_vertex_buffer_object";
    driver.missing = {"glMapBufferARB"};
    EXPECT_EQ(loadExtensions(), 0);
    EXPECT_EQ(extensionProc("glMapBufferARB"), nullptr);
    EXPECT_NE(extensionProc("glBindBufferARB"), nullptr);

    // Missing WGL string functions are not failures either: no WGL extension is supported.
    driver.wgl = "WGL_EXT_swap_control";
    driver.missing = {"wglGetSwapIntervalEXT"};
    EXPECT_EQ(loadExtensions(), 0);
    EXPECT_EQ(extensionFlag("WGL_EXT_swap_control"), 0);
    EXPECT_EQ(extensionFlag("WGL_ARB_extensions_string"), 0);

    // An advertised WGL extension without its entry point is.
    driver.hasWglStringExt = true;
    EXPECT_EQ(loadExtensions(), 1);
    EXPECT_EQ(extensionFlag("WGL_EXT_extensions_string"), 1);
    EXPECT_EQ(extensionFlag("WGL_EXT_swap_control"), 1);
    EXPECT_NE(extensionProc("wglSwapIntervalEXT"), nullptr);
    EXPECT_EQ(extensionProc("wglGetSwapIntervalEXT"), nullptr);
    EXPECT_EQ(resolveProc("wglGetSwapIntervalEXT"), nullptr);
}

TEST_F(ExtensionsTest, SharedNamesAreKeptPerRow) {
    driver.version = "1.4.0";
    driver.extensions = "GL_ARB_fragment_program GL_ARB_imaging";
    loadExtensions();
    EXPECT_NE(extensionProc("GL_ARB_fragment_program", "glProgramStringARB"), nullptr);
    EXPECT_EQ(extensionProc("GL_ARB_vertex_program", "glProgramStringARB"), nullptr);
    EXPECT_NE(extensionProc("GL_ARB_imaging", "glBlendColor"), nullptr);
    EXPECT_NE(extensionProc("GL_VERSION_1_4", "glBlendColor"), nullptr);
    EXPECT_NE(extensionProc("GL_VERSION_1_3", "glActiveTexture"), nullptr);
}

// The loader's count table: the number of entry points resolved for each flag.
TEST(ExtensionTables, EveryRowHasTheCountOfTheTable) {
    // clang-format off
    const std::map<std::string, size_t> expected = {
        {"GL_VERSION_1_2", 4}, {"GL_ARB_imaging", 34}, {"GL_VERSION_1_3", 46},
        {"GL_VERSION_1_4", 45}, {"GL_ARB_multitexture", 34}, {"GL_ARB_fragment_program", 19},
        {"GL_ARB_vertex_program", 62}, {"GL_ARB_vertex_buffer_object", 11},
        {"GL_ARB_window_pos", 16}, {"GL_ARB_texture_compression", 7}, {"GL_ARB_vertex_blend", 10},
        {"GL_ARB_matrix_palette", 5}, {"GL_ARB_transpose_matrix", 4},
        {"GL_ARB_point_parameters", 2}, {"GL_ARB_multisample", 1}, {"GL_EXT_blend_color", 1},
        {"GL_EXT_blend_minmax", 1}, {"GL_EXT_blend_func_separate", 1},
        {"GL_EXT_depth_bounds_test", 1}, {"GL_EXT_draw_range_elements", 1},
        {"GL_EXT_stencil_two_side", 1}, {"GL_EXT_compiled_vertex_array", 2},
        {"GL_EXT_cull_vertex", 2}, {"GL_EXT_multi_draw_arrays", 2}, {"GL_EXT_point_parameters", 2},
        {"GL_EXT_fog_coord", 5}, {"GL_EXT_secondary_color", 17}, {"GL_EXT_vertex_weighting", 3},
        {"GL_EXT_vertex_shader", 42}, {"GL_ATI_draw_buffers", 1}, {"GL_ATI_element_array", 3},
        {"GL_ATI_envmap_bumpmap", 4}, {"GL_ATI_fragment_shader", 14},
        {"GL_ATI_map_object_buffer", 2}, {"GL_ATI_pn_triangles", 2},
        {"GL_ATI_separate_stencil", 2}, {"GL_ATI_vertex_array_object", 12},
        {"GL_ATI_vertex_attrib_array_object", 3}, {"GL_ATI_vertex_streams", 37},
        {"GL_NV_element_array", 5}, {"GL_NV_fence", 7}, {"GL_NV_fragment_program", 6},
        {"GL_NV_half_float", 46}, {"GL_NV_occlusion_query", 7}, {"GL_NV_pixel_data_range", 2},
        {"GL_NV_point_sprite", 2}, {"GL_NV_primitive_restart", 2},
        {"GL_NV_register_combiners", 13}, {"GL_NV_register_combiners2", 2},
        {"GL_NV_vertex_array_range", 4}, {"GL_NV_vertex_program", 64},
        {"WGL_ARB_make_current_read", 2}, {"WGL_EXT_swap_control", 2},
        {"WGL_ARB_render_texture", 3}, {"WGL_ARB_pixel_format", 3}, {"WGL_ARB_pbuffer", 5},
        {"WGL_ARB_buffer_region", 4}};
    // clang-format on
    std::map<std::string, size_t> actual;
    auto collect = [&](std::span<const extension_tables::EntryPointRow> rows) {
        for (const auto& row : rows) {
            EXPECT_NE(extension_tables::flagIndex(row.flag), -1) << row.flag;
            EXPECT_TRUE(actual.emplace(row.flag, row.names.size()).second) << row.flag;
            const std::set<std::string> unique(row.names.begin(), row.names.end());
            EXPECT_EQ(unique.size(), row.names.size()) << "duplicate name in " << row.flag;
        }
    };
    collect(extension_tables::kGlRows);
    collect(extension_tables::kWglRows);
    EXPECT_EQ(actual, expected);

    const std::set<std::string> flags(extension_tables::kFlagNames.begin(),
                                      extension_tables::kFlagNames.end());
    EXPECT_EQ(flags.size(), 114u);
}

TEST(ExtensionTables, RowsThatDifferFromTheHeaderGroups) {
    auto row = [](const char* flag) {
        for (const auto& r : extension_tables::kGlRows) {
            if (std::string(r.flag) == flag)
                return std::set<std::string>(r.names.begin(), r.names.end());
        }
        return std::set<std::string>{};
    };
    EXPECT_TRUE(row("GL_ARB_imaging").count("glBlendEquation"));
    EXPECT_FALSE(row("GL_VERSION_1_4").count("glPointParameteri"));
    EXPECT_TRUE(row("GL_ARB_vertex_program").count("glIsProgramARB"));
    EXPECT_FALSE(row("GL_ATI_vertex_streams").count("glVertexStream1fATI"));
    EXPECT_TRUE(row("GL_ATI_vertex_streams").count("glVertexStream2fATI"));
    EXPECT_TRUE(row("GL_NV_element_array").count("glMultiDrawRangeElementArrayNV"));
    EXPECT_TRUE(row("GL_NV_vertex_array_range").count("wglFreeMemoryNV"));
}

}  // namespace
