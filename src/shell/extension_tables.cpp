#include "shell/extension_tables.h"

#include <algorithm>
#include <array>

// Entry-point names follow the extensions' own header groups, with the loader's own
// additions and omissions (imaging adds the unsuffixed blend functions, 1.4 leaves out the
// integer point parameters, the vertex program repeats the program functions, the vertex
// streams leave out the one-component forms, vertex array range adds its WGL allocators).

namespace extension_tables {

namespace {

// Two name lists one after the other, for a row that repeats another's names.
template <size_t A, size_t B>
constexpr std::array<const char*, A + B> joined(const char* const (&first)[A],
                                                const char* const (&second)[B]) {
    std::array<const char*, A + B> names{};
    std::copy(first, first + A, names.begin());
    std::copy(second, second + B, names.begin() + A);
    return names;
}

constexpr const char* kGL_VERSION_1_2[] = {"glDrawRangeElements", "glTexImage3D", "glTexSubImage3D",
                                           "glCopyTexSubImage3D"};
constexpr const char* kGL_ARB_imaging[] = {"glBlendColor",
                                           "glBlendEquation",
                                           "glColorTable",
                                           "glColorTableParameterfv",
                                           "glColorTableParameteriv",
                                           "glCopyColorTable",
                                           "glGetColorTable",
                                           "glGetColorTableParameterfv",
                                           "glGetColorTableParameteriv",
                                           "glColorSubTable",
                                           "glCopyColorSubTable",
                                           "glConvolutionFilter1D",
                                           "glConvolutionFilter2D",
                                           "glConvolutionParameterf",
                                           "glConvolutionParameterfv",
                                           "glConvolutionParameteri",
                                           "glConvolutionParameteriv",
                                           "glCopyConvolutionFilter1D",
                                           "glCopyConvolutionFilter2D",
                                           "glGetConvolutionFilter",
                                           "glGetConvolutionParameterfv",
                                           "glGetConvolutionParameteriv",
                                           "glGetSeparableFilter",
                                           "glSeparableFilter2D",
                                           "glGetHistogram",
                                           "glGetHistogramParameterfv",
                                           "glGetHistogramParameteriv",
                                           "glGetMinmax",
                                           "glGetMinmaxParameterfv",
                                           "glGetMinmaxParameteriv",
                                           "glHistogram",
                                           "glMinmax",
                                           "glResetHistogram",
                                           "glResetMinmax"};
constexpr const char* kGL_VERSION_1_3[] = {
    "glActiveTexture",           "glSampleCoverage",          "glCompressedTexImage3D",
    "glCompressedTexImage2D",    "glCompressedTexImage1D",    "glCompressedTexSubImage3D",
    "glCompressedTexSubImage2D", "glCompressedTexSubImage1D", "glGetCompressedTexImage",
    "glClientActiveTexture",     "glMultiTexCoord1d",         "glMultiTexCoord1dv",
    "glMultiTexCoord1f",         "glMultiTexCoord1fv",        "glMultiTexCoord1i",
    "glMultiTexCoord1iv",        "glMultiTexCoord1s",         "glMultiTexCoord1sv",
    "glMultiTexCoord2d",         "glMultiTexCoord2dv",        "glMultiTexCoord2f",
    "glMultiTexCoord2fv",        "glMultiTexCoord2i",         "glMultiTexCoord2iv",
    "glMultiTexCoord2s",         "glMultiTexCoord2sv",        "glMultiTexCoord3d",
    "glMultiTexCoord3dv",        "glMultiTexCoord3f",         "glMultiTexCoord3fv",
    "glMultiTexCoord3i",         "glMultiTexCoord3iv",        "glMultiTexCoord3s",
    "glMultiTexCoord3sv",        "glMultiTexCoord4d",         "glMultiTexCoord4dv",
    "glMultiTexCoord4f",         "glMultiTexCoord4fv",        "glMultiTexCoord4i",
    "glMultiTexCoord4iv",        "glMultiTexCoord4s",         "glMultiTexCoord4sv",
    "glLoadTransposeMatrixf",    "glLoadTransposeMatrixd",    "glMultTransposeMatrixf",
    "glMultTransposeMatrixd"};
constexpr const char* kGL_VERSION_1_4[] = {
    "glBlendFuncSeparate",  "glMultiDrawArrays",    "glMultiDrawElements",
    "glPointParameterf",    "glPointParameterfv",   "glFogCoordf",
    "glFogCoordfv",         "glFogCoordd",          "glFogCoorddv",
    "glFogCoordPointer",    "glSecondaryColor3b",   "glSecondaryColor3bv",
    "glSecondaryColor3d",   "glSecondaryColor3dv",  "glSecondaryColor3f",
    "glSecondaryColor3fv",  "glSecondaryColor3i",   "glSecondaryColor3iv",
    "glSecondaryColor3s",   "glSecondaryColor3sv",  "glSecondaryColor3ub",
    "glSecondaryColor3ubv", "glSecondaryColor3ui",  "glSecondaryColor3uiv",
    "glSecondaryColor3us",  "glSecondaryColor3usv", "glSecondaryColorPointer",
    "glWindowPos2d",        "glWindowPos2dv",       "glWindowPos2f",
    "glWindowPos2fv",       "glWindowPos2i",        "glWindowPos2iv",
    "glWindowPos2s",        "glWindowPos2sv",       "glWindowPos3d",
    "glWindowPos3dv",       "glWindowPos3f",        "glWindowPos3fv",
    "glWindowPos3i",        "glWindowPos3iv",       "glWindowPos3s",
    "glWindowPos3sv",       "glBlendColor",         "glBlendEquation"};
constexpr const char* kGL_ARB_multitexture[] = {
    "glActiveTextureARB",    "glClientActiveTextureARB", "glMultiTexCoord1dARB",
    "glMultiTexCoord1dvARB", "glMultiTexCoord1fARB",     "glMultiTexCoord1fvARB",
    "glMultiTexCoord1iARB",  "glMultiTexCoord1ivARB",    "glMultiTexCoord1sARB",
    "glMultiTexCoord1svARB", "glMultiTexCoord2dARB",     "glMultiTexCoord2dvARB",
    "glMultiTexCoord2fARB",  "glMultiTexCoord2fvARB",    "glMultiTexCoord2iARB",
    "glMultiTexCoord2ivARB", "glMultiTexCoord2sARB",     "glMultiTexCoord2svARB",
    "glMultiTexCoord3dARB",  "glMultiTexCoord3dvARB",    "glMultiTexCoord3fARB",
    "glMultiTexCoord3fvARB", "glMultiTexCoord3iARB",     "glMultiTexCoord3ivARB",
    "glMultiTexCoord3sARB",  "glMultiTexCoord3svARB",    "glMultiTexCoord4dARB",
    "glMultiTexCoord4dvARB", "glMultiTexCoord4fARB",     "glMultiTexCoord4fvARB",
    "glMultiTexCoord4iARB",  "glMultiTexCoord4ivARB",    "glMultiTexCoord4sARB",
    "glMultiTexCoord4svARB"};
constexpr const char* kGL_ARB_fragment_program[] = {"glProgramStringARB",
                                                    "glBindProgramARB",
                                                    "glDeleteProgramsARB",
                                                    "glGenProgramsARB",
                                                    "glProgramEnvParameter4dARB",
                                                    "glProgramEnvParameter4dvARB",
                                                    "glProgramEnvParameter4fARB",
                                                    "glProgramEnvParameter4fvARB",
                                                    "glProgramLocalParameter4dARB",
                                                    "glProgramLocalParameter4dvARB",
                                                    "glProgramLocalParameter4fARB",
                                                    "glProgramLocalParameter4fvARB",
                                                    "glGetProgramEnvParameterdvARB",
                                                    "glGetProgramEnvParameterfvARB",
                                                    "glGetProgramLocalParameterdvARB",
                                                    "glGetProgramLocalParameterfvARB",
                                                    "glGetProgramivARB",
                                                    "glGetProgramStringARB",
                                                    "glIsProgramARB"};
// The vertex program's own entry points, then the program functions it shares with the
// fragment program.
constexpr const char* kVertexAttribEntryPoints[] = {
    "glVertexAttrib1dARB",         "glVertexAttrib1dvARB",         "glVertexAttrib1fARB",
    "glVertexAttrib1fvARB",        "glVertexAttrib1sARB",          "glVertexAttrib1svARB",
    "glVertexAttrib2dARB",         "glVertexAttrib2dvARB",         "glVertexAttrib2fARB",
    "glVertexAttrib2fvARB",        "glVertexAttrib2sARB",          "glVertexAttrib2svARB",
    "glVertexAttrib3dARB",         "glVertexAttrib3dvARB",         "glVertexAttrib3fARB",
    "glVertexAttrib3fvARB",        "glVertexAttrib3sARB",          "glVertexAttrib3svARB",
    "glVertexAttrib4NbvARB",       "glVertexAttrib4NivARB",        "glVertexAttrib4NsvARB",
    "glVertexAttrib4NubARB",       "glVertexAttrib4NubvARB",       "glVertexAttrib4NuivARB",
    "glVertexAttrib4NusvARB",      "glVertexAttrib4bvARB",         "glVertexAttrib4dARB",
    "glVertexAttrib4dvARB",        "glVertexAttrib4fARB",          "glVertexAttrib4fvARB",
    "glVertexAttrib4ivARB",        "glVertexAttrib4sARB",          "glVertexAttrib4svARB",
    "glVertexAttrib4ubvARB",       "glVertexAttrib4uivARB",        "glVertexAttrib4usvARB",
    "glVertexAttribPointerARB",    "glEnableVertexAttribArrayARB", "glDisableVertexAttribArrayARB",
    "glGetVertexAttribdvARB",      "glGetVertexAttribfvARB",       "glGetVertexAttribivARB",
    "glGetVertexAttribPointervARB"};
constexpr auto kGL_ARB_vertex_program = joined(kVertexAttribEntryPoints, kGL_ARB_fragment_program);
constexpr const char* kGL_ARB_vertex_buffer_object[] = {
    "glBindBufferARB",  "glDeleteBuffersARB",        "glGenBuffersARB",       "glIsBufferARB",
    "glBufferDataARB",  "glBufferSubDataARB",        "glGetBufferSubDataARB", "glMapBufferARB",
    "glUnmapBufferARB", "glGetBufferParameterivARB", "glGetBufferPointervARB"};
constexpr const char* kGL_ARB_window_pos[] = {
    "glWindowPos2dARB", "glWindowPos2dvARB", "glWindowPos2fARB", "glWindowPos2fvARB",
    "glWindowPos2iARB", "glWindowPos2ivARB", "glWindowPos2sARB", "glWindowPos2svARB",
    "glWindowPos3dARB", "glWindowPos3dvARB", "glWindowPos3fARB", "glWindowPos3fvARB",
    "glWindowPos3iARB", "glWindowPos3ivARB", "glWindowPos3sARB", "glWindowPos3svARB"};
constexpr const char* kGL_ARB_texture_compression[] = {
    "glCompressedTexImage3DARB",    "glCompressedTexImage2DARB",    "glCompressedTexImage1DARB",
    "glCompressedTexSubImage3DARB", "glCompressedTexSubImage2DARB", "glCompressedTexSubImage1DARB",
    "glGetCompressedTexImageARB"};
constexpr const char* kGL_ARB_vertex_blend[] = {
    "glWeightbvARB",  "glWeightsvARB",  "glWeightivARB",  "glWeightfvARB",      "glWeightdvARB",
    "glWeightubvARB", "glWeightusvARB", "glWeightuivARB", "glWeightPointerARB", "glVertexBlendARB"};
constexpr const char* kGL_ARB_matrix_palette[] = {"glCurrentPaletteMatrixARB",
                                                  "glMatrixIndexubvARB", "glMatrixIndexusvARB",
                                                  "glMatrixIndexuivARB", "glMatrixIndexPointerARB"};
constexpr const char* kGL_ARB_transpose_matrix[] = {
    "glLoadTransposeMatrixfARB", "glLoadTransposeMatrixdARB", "glMultTransposeMatrixfARB",
    "glMultTransposeMatrixdARB"};
constexpr const char* kGL_ARB_point_parameters[] = {"glPointParameterfARB",
                                                    "glPointParameterfvARB"};
constexpr const char* kGL_ARB_multisample[] = {"glSampleCoverageARB"};
constexpr const char* kGL_EXT_blend_color[] = {"glBlendColorEXT"};
constexpr const char* kGL_EXT_blend_minmax[] = {"glBlendEquationEXT"};
constexpr const char* kGL_EXT_blend_func_separate[] = {"glBlendFuncSeparateEXT"};
constexpr const char* kGL_EXT_depth_bounds_test[] = {"glDepthBoundsEXT"};
constexpr const char* kGL_EXT_draw_range_elements[] = {"glDrawRangeElementsEXT"};
constexpr const char* kGL_EXT_stencil_two_side[] = {"glActiveStencilFaceEXT"};
constexpr const char* kGL_EXT_compiled_vertex_array[] = {"glLockArraysEXT", "glUnlockArraysEXT"};
constexpr const char* kGL_EXT_cull_vertex[] = {"glCullParameterdvEXT", "glCullParameterfvEXT"};
constexpr const char* kGL_EXT_multi_draw_arrays[] = {"glMultiDrawArraysEXT",
                                                     "glMultiDrawElementsEXT"};
constexpr const char* kGL_EXT_point_parameters[] = {"glPointParameterfEXT",
                                                    "glPointParameterfvEXT"};
constexpr const char* kGL_EXT_fog_coord[] = {"glFogCoordfEXT", "glFogCoordfvEXT", "glFogCoorddEXT",
                                             "glFogCoorddvEXT", "glFogCoordPointerEXT"};
constexpr const char* kGL_EXT_secondary_color[] = {
    "glSecondaryColor3bEXT",   "glSecondaryColor3bvEXT",    "glSecondaryColor3dEXT",
    "glSecondaryColor3dvEXT",  "glSecondaryColor3fEXT",     "glSecondaryColor3fvEXT",
    "glSecondaryColor3iEXT",   "glSecondaryColor3ivEXT",    "glSecondaryColor3sEXT",
    "glSecondaryColor3svEXT",  "glSecondaryColor3ubEXT",    "glSecondaryColor3ubvEXT",
    "glSecondaryColor3uiEXT",  "glSecondaryColor3uivEXT",   "glSecondaryColor3usEXT",
    "glSecondaryColor3usvEXT", "glSecondaryColorPointerEXT"};
constexpr const char* kGL_EXT_vertex_weighting[] = {"glVertexWeightfEXT", "glVertexWeightfvEXT",
                                                    "glVertexWeightPointerEXT"};
constexpr const char* kGL_EXT_vertex_shader[] = {"glBeginVertexShaderEXT",
                                                 "glEndVertexShaderEXT",
                                                 "glBindVertexShaderEXT",
                                                 "glGenVertexShadersEXT",
                                                 "glDeleteVertexShaderEXT",
                                                 "glShaderOp1EXT",
                                                 "glShaderOp2EXT",
                                                 "glShaderOp3EXT",
                                                 "glSwizzleEXT",
                                                 "glWriteMaskEXT",
                                                 "glInsertComponentEXT",
                                                 "glExtractComponentEXT",
                                                 "glGenSymbolsEXT",
                                                 "glSetInvariantEXT",
                                                 "glSetLocalConstantEXT",
                                                 "glVariantbvEXT",
                                                 "glVariantsvEXT",
                                                 "glVariantivEXT",
                                                 "glVariantfvEXT",
                                                 "glVariantdvEXT",
                                                 "glVariantubvEXT",
                                                 "glVariantusvEXT",
                                                 "glVariantuivEXT",
                                                 "glVariantPointerEXT",
                                                 "glEnableVariantClientStateEXT",
                                                 "glDisableVariantClientStateEXT",
                                                 "glBindLightParameterEXT",
                                                 "glBindMaterialParameterEXT",
                                                 "glBindTexGenParameterEXT",
                                                 "glBindTextureUnitParameterEXT",
                                                 "glBindParameterEXT",
                                                 "glIsVariantEnabledEXT",
                                                 "glGetVariantBooleanvEXT",
                                                 "glGetVariantIntegervEXT",
                                                 "glGetVariantFloatvEXT",
                                                 "glGetVariantPointervEXT",
                                                 "glGetInvariantBooleanvEXT",
                                                 "glGetInvariantIntegervEXT",
                                                 "glGetInvariantFloatvEXT",
                                                 "glGetLocalConstantBooleanvEXT",
                                                 "glGetLocalConstantIntegervEXT",
                                                 "glGetLocalConstantFloatvEXT"};
constexpr const char* kGL_ATI_draw_buffers[] = {"glDrawBuffersATI"};
constexpr const char* kGL_ATI_element_array[] = {"glElementPointerATI", "glDrawElementArrayATI",
                                                 "glDrawRangeElementArrayATI"};
constexpr const char* kGL_ATI_envmap_bumpmap[] = {
    "glTexBumpParameterivATI", "glTexBumpParameterfvATI", "glGetTexBumpParameterivATI",
    "glGetTexBumpParameterfvATI"};
constexpr const char* kGL_ATI_fragment_shader[] = {
    "glGenFragmentShadersATI",  "glBindFragmentShaderATI",       "glDeleteFragmentShaderATI",
    "glBeginFragmentShaderATI", "glEndFragmentShaderATI",        "glPassTexCoordATI",
    "glSampleMapATI",           "glColorFragmentOp1ATI",         "glColorFragmentOp2ATI",
    "glColorFragmentOp3ATI",    "glAlphaFragmentOp1ATI",         "glAlphaFragmentOp2ATI",
    "glAlphaFragmentOp3ATI",    "glSetFragmentShaderConstantATI"};
constexpr const char* kGL_ATI_map_object_buffer[] = {"glMapObjectBufferATI",
                                                     "glUnmapObjectBufferATI"};
constexpr const char* kGL_ATI_pn_triangles[] = {"glPNTrianglesiATI", "glPNTrianglesfATI"};
constexpr const char* kGL_ATI_separate_stencil[] = {"glStencilOpSeparateATI",
                                                    "glStencilFuncSeparateATI"};
constexpr const char* kGL_ATI_vertex_array_object[] = {
    "glNewObjectBufferATI",    "glIsObjectBufferATI",          "glUpdateObjectBufferATI",
    "glGetObjectBufferfvATI",  "glGetObjectBufferivATI",       "glFreeObjectBufferATI",
    "glArrayObjectATI",        "glGetArrayObjectfvATI",        "glGetArrayObjectivATI",
    "glVariantArrayObjectATI", "glGetVariantArrayObjectfvATI", "glGetVariantArrayObjectivATI"};
constexpr const char* kGL_ATI_vertex_attrib_array_object[] = {"glVertexAttribArrayObjectATI",
                                                              "glGetVertexAttribArrayObjectfvATI",
                                                              "glGetVertexAttribArrayObjectivATI"};
constexpr const char* kGL_ATI_vertex_streams[] = {
    "glVertexStream2sATI",  "glVertexStream2svATI",          "glVertexStream2iATI",
    "glVertexStream2ivATI", "glVertexStream2fATI",           "glVertexStream2fvATI",
    "glVertexStream2dATI",  "glVertexStream2dvATI",          "glVertexStream3sATI",
    "glVertexStream3svATI", "glVertexStream3iATI",           "glVertexStream3ivATI",
    "glVertexStream3fATI",  "glVertexStream3fvATI",          "glVertexStream3dATI",
    "glVertexStream3dvATI", "glVertexStream4sATI",           "glVertexStream4svATI",
    "glVertexStream4iATI",  "glVertexStream4ivATI",          "glVertexStream4fATI",
    "glVertexStream4fvATI", "glVertexStream4dATI",           "glVertexStream4dvATI",
    "glNormalStream3bATI",  "glNormalStream3bvATI",          "glNormalStream3sATI",
    "glNormalStream3svATI", "glNormalStream3iATI",           "glNormalStream3ivATI",
    "glNormalStream3fATI",  "glNormalStream3fvATI",          "glNormalStream3dATI",
    "glNormalStream3dvATI", "glClientActiveVertexStreamATI", "glVertexBlendEnviATI",
    "glVertexBlendEnvfATI"};
constexpr const char* kGL_NV_element_array[] = {
    "glElementPointerNV", "glDrawElementArrayNV", "glDrawRangeElementArrayNV",
    "glMultiDrawElementArrayNV", "glMultiDrawRangeElementArrayNV"};
constexpr const char* kGL_NV_fence[] = {"glDeleteFencesNV", "glGenFencesNV",  "glIsFenceNV",
                                        "glTestFenceNV",    "glGetFenceivNV", "glFinishFenceNV",
                                        "glSetFenceNV"};
constexpr const char* kGL_NV_fragment_program[] = {
    "glProgramNamedParameter4fNV",    "glProgramNamedParameter4fvNV",
    "glProgramNamedParameter4dNV",    "glProgramNamedParameter4dvNV",
    "glGetProgramNamedParameterfvNV", "glGetProgramNamedParameterdvNV"};
constexpr const char* kGL_NV_half_float[] = {
    "glVertex2hNV",         "glVertex2hvNV",        "glVertex3hNV",         "glVertex3hvNV",
    "glVertex4hNV",         "glVertex4hvNV",        "glNormal3hNV",         "glNormal3hvNV",
    "glColor3hNV",          "glColor3hvNV",         "glColor4hNV",          "glColor4hvNV",
    "glTexCoord1hNV",       "glTexCoord1hvNV",      "glTexCoord2hNV",       "glTexCoord2hvNV",
    "glTexCoord3hNV",       "glTexCoord3hvNV",      "glTexCoord4hNV",       "glTexCoord4hvNV",
    "glMultiTexCoord1hNV",  "glMultiTexCoord1hvNV", "glMultiTexCoord2hNV",  "glMultiTexCoord2hvNV",
    "glMultiTexCoord3hNV",  "glMultiTexCoord3hvNV", "glMultiTexCoord4hNV",  "glMultiTexCoord4hvNV",
    "glFogCoordhNV",        "glFogCoordhvNV",       "glSecondaryColor3hNV", "glSecondaryColor3hvNV",
    "glVertexWeighthNV",    "glVertexWeighthvNV",   "glVertexAttrib1hNV",   "glVertexAttrib1hvNV",
    "glVertexAttrib2hNV",   "glVertexAttrib2hvNV",  "glVertexAttrib3hNV",   "glVertexAttrib3hvNV",
    "glVertexAttrib4hNV",   "glVertexAttrib4hvNV",  "glVertexAttribs1hvNV", "glVertexAttribs2hvNV",
    "glVertexAttribs3hvNV", "glVertexAttribs4hvNV"};
constexpr const char* kGL_NV_occlusion_query[] = {
    "glGenOcclusionQueriesNV", "glDeleteOcclusionQueriesNV", "glIsOcclusionQueryNV",
    "glBeginOcclusionQueryNV", "glEndOcclusionQueryNV",      "glGetOcclusionQueryivNV",
    "glGetOcclusionQueryuivNV"};
constexpr const char* kGL_NV_pixel_data_range[] = {"glPixelDataRangeNV", "glFlushPixelDataRangeNV"};
constexpr const char* kGL_NV_point_sprite[] = {"glPointParameteriNV", "glPointParameterivNV"};
constexpr const char* kGL_NV_primitive_restart[] = {"glPrimitiveRestartNV",
                                                    "glPrimitiveRestartIndexNV"};
constexpr const char* kGL_NV_register_combiners[] = {"glCombinerParameterfvNV",
                                                     "glCombinerParameterfNV",
                                                     "glCombinerParameterivNV",
                                                     "glCombinerParameteriNV",
                                                     "glCombinerInputNV",
                                                     "glCombinerOutputNV",
                                                     "glFinalCombinerInputNV",
                                                     "glGetCombinerInputParameterfvNV",
                                                     "glGetCombinerInputParameterivNV",
                                                     "glGetCombinerOutputParameterfvNV",
                                                     "glGetCombinerOutputParameterivNV",
                                                     "glGetFinalCombinerInputParameterfvNV",
                                                     "glGetFinalCombinerInputParameterivNV"};
constexpr const char* kGL_NV_register_combiners2[] = {"glCombinerStageParameterfvNV",
                                                      "glGetCombinerStageParameterfvNV"};
constexpr const char* kGL_NV_vertex_array_range[] = {
    "glFlushVertexArrayRangeNV", "glVertexArrayRangeNV", "wglAllocateMemoryNV", "wglFreeMemoryNV"};
constexpr const char* kGL_NV_vertex_program[] = {"glAreProgramsResidentNV",
                                                 "glBindProgramNV",
                                                 "glDeleteProgramsNV",
                                                 "glExecuteProgramNV",
                                                 "glGenProgramsNV",
                                                 "glGetProgramParameterdvNV",
                                                 "glGetProgramParameterfvNV",
                                                 "glGetProgramivNV",
                                                 "glGetProgramStringNV",
                                                 "glGetTrackMatrixivNV",
                                                 "glGetVertexAttribdvNV",
                                                 "glGetVertexAttribfvNV",
                                                 "glGetVertexAttribivNV",
                                                 "glGetVertexAttribPointervNV",
                                                 "glIsProgramNV",
                                                 "glLoadProgramNV",
                                                 "glProgramParameter4dNV",
                                                 "glProgramParameter4dvNV",
                                                 "glProgramParameter4fNV",
                                                 "glProgramParameter4fvNV",
                                                 "glProgramParameters4dvNV",
                                                 "glProgramParameters4fvNV",
                                                 "glRequestResidentProgramsNV",
                                                 "glTrackMatrixNV",
                                                 "glVertexAttribPointerNV",
                                                 "glVertexAttrib1dNV",
                                                 "glVertexAttrib1dvNV",
                                                 "glVertexAttrib1fNV",
                                                 "glVertexAttrib1fvNV",
                                                 "glVertexAttrib1sNV",
                                                 "glVertexAttrib1svNV",
                                                 "glVertexAttrib2dNV",
                                                 "glVertexAttrib2dvNV",
                                                 "glVertexAttrib2fNV",
                                                 "glVertexAttrib2fvNV",
                                                 "glVertexAttrib2sNV",
                                                 "glVertexAttrib2svNV",
                                                 "glVertexAttrib3dNV",
                                                 "glVertexAttrib3dvNV",
                                                 "glVertexAttrib3fNV",
                                                 "glVertexAttrib3fvNV",
                                                 "glVertexAttrib3sNV",
                                                 "glVertexAttrib3svNV",
                                                 "glVertexAttrib4dNV",
                                                 "glVertexAttrib4dvNV",
                                                 "glVertexAttrib4fNV",
                                                 "glVertexAttrib4fvNV",
                                                 "glVertexAttrib4sNV",
                                                 "glVertexAttrib4svNV",
                                                 "glVertexAttrib4ubNV",
                                                 "glVertexAttrib4ubvNV",
                                                 "glVertexAttribs1dvNV",
                                                 "glVertexAttribs1fvNV",
                                                 "glVertexAttribs1svNV",
                                                 "glVertexAttribs2dvNV",
                                                 "glVertexAttribs2fvNV",
                                                 "glVertexAttribs2svNV",
                                                 "glVertexAttribs3dvNV",
                                                 "glVertexAttribs3fvNV",
                                                 "glVertexAttribs3svNV",
                                                 "glVertexAttribs4dvNV",
                                                 "glVertexAttribs4fvNV",
                                                 "glVertexAttribs4svNV",
                                                 "glVertexAttribs4ubvNV"};
constexpr const char* kWGL_ARB_make_current_read[] = {"wglMakeContextCurrentARB",
                                                      "wglGetCurrentReadDCARB"};
constexpr const char* kWGL_EXT_swap_control[] = {"wglSwapIntervalEXT", "wglGetSwapIntervalEXT"};
constexpr const char* kWGL_ARB_render_texture[] = {"wglBindTexImageARB", "wglReleaseTexImageARB",
                                                   "wglSetPbufferAttribARB"};
constexpr const char* kWGL_ARB_pixel_format[] = {
    "wglGetPixelFormatAttribivARB", "wglGetPixelFormatAttribfvARB", "wglChoosePixelFormatARB"};
constexpr const char* kWGL_ARB_pbuffer[] = {"wglCreatePbufferARB", "wglGetPbufferDCARB",
                                            "wglReleasePbufferDCARB", "wglDestroyPbufferARB",
                                            "wglQueryPbufferARB"};
constexpr const char* kWGL_ARB_buffer_region[] = {
    "wglCreateBufferRegionARB", "wglDeleteBufferRegionARB", "wglSaveBufferRegionARB",
    "wglRestoreBufferRegionARB"};

constexpr EntryPointRow kGlRowTable[] = {
    {"GL_VERSION_1_2", kGL_VERSION_1_2},
    {"GL_ARB_imaging", kGL_ARB_imaging},
    {"GL_VERSION_1_3", kGL_VERSION_1_3},
    {"GL_VERSION_1_4", kGL_VERSION_1_4},
    {"GL_ARB_multitexture", kGL_ARB_multitexture},
    {"GL_ARB_fragment_program", kGL_ARB_fragment_program},
    {"GL_ARB_vertex_program", kGL_ARB_vertex_program},
    {"GL_ARB_vertex_buffer_object", kGL_ARB_vertex_buffer_object},
    {"GL_ARB_window_pos", kGL_ARB_window_pos},
    {"GL_ARB_texture_compression", kGL_ARB_texture_compression},
    {"GL_ARB_vertex_blend", kGL_ARB_vertex_blend},
    {"GL_ARB_matrix_palette", kGL_ARB_matrix_palette},
    {"GL_ARB_transpose_matrix", kGL_ARB_transpose_matrix},
    {"GL_ARB_point_parameters", kGL_ARB_point_parameters},
    {"GL_ARB_multisample", kGL_ARB_multisample},
    {"GL_EXT_blend_color", kGL_EXT_blend_color},
    {"GL_EXT_blend_minmax", kGL_EXT_blend_minmax},
    {"GL_EXT_blend_func_separate", kGL_EXT_blend_func_separate},
    {"GL_EXT_depth_bounds_test", kGL_EXT_depth_bounds_test},
    {"GL_EXT_draw_range_elements", kGL_EXT_draw_range_elements},
    {"GL_EXT_stencil_two_side", kGL_EXT_stencil_two_side},
    {"GL_EXT_compiled_vertex_array", kGL_EXT_compiled_vertex_array},
    {"GL_EXT_cull_vertex", kGL_EXT_cull_vertex},
    {"GL_EXT_multi_draw_arrays", kGL_EXT_multi_draw_arrays},
    {"GL_EXT_point_parameters", kGL_EXT_point_parameters},
    {"GL_EXT_fog_coord", kGL_EXT_fog_coord},
    {"GL_EXT_secondary_color", kGL_EXT_secondary_color},
    {"GL_EXT_vertex_weighting", kGL_EXT_vertex_weighting},
    {"GL_EXT_vertex_shader", kGL_EXT_vertex_shader},
    {"GL_ATI_draw_buffers", kGL_ATI_draw_buffers},
    {"GL_ATI_element_array", kGL_ATI_element_array},
    {"GL_ATI_envmap_bumpmap", kGL_ATI_envmap_bumpmap},
    {"GL_ATI_fragment_shader", kGL_ATI_fragment_shader},
    {"GL_ATI_map_object_buffer", kGL_ATI_map_object_buffer},
    {"GL_ATI_pn_triangles", kGL_ATI_pn_triangles},
    {"GL_ATI_separate_stencil", kGL_ATI_separate_stencil},
    {"GL_ATI_vertex_array_object", kGL_ATI_vertex_array_object},
    {"GL_ATI_vertex_attrib_array_object", kGL_ATI_vertex_attrib_array_object},
    {"GL_ATI_vertex_streams", kGL_ATI_vertex_streams},
    {"GL_NV_element_array", kGL_NV_element_array},
    {"GL_NV_fence", kGL_NV_fence},
    {"GL_NV_fragment_program", kGL_NV_fragment_program},
    {"GL_NV_half_float", kGL_NV_half_float},
    {"GL_NV_occlusion_query", kGL_NV_occlusion_query},
    {"GL_NV_pixel_data_range", kGL_NV_pixel_data_range},
    {"GL_NV_point_sprite", kGL_NV_point_sprite},
    {"GL_NV_primitive_restart", kGL_NV_primitive_restart},
    {"GL_NV_register_combiners", kGL_NV_register_combiners},
    {"GL_NV_register_combiners2", kGL_NV_register_combiners2},
    {"GL_NV_vertex_array_range", kGL_NV_vertex_array_range},
    {"GL_NV_vertex_program", kGL_NV_vertex_program},
};
constexpr EntryPointRow kWglRowTable[] = {
    {"WGL_ARB_make_current_read", kWGL_ARB_make_current_read},
    {"WGL_EXT_swap_control", kWGL_EXT_swap_control},
    {"WGL_ARB_render_texture", kWGL_ARB_render_texture},
    {"WGL_ARB_pixel_format", kWGL_ARB_pixel_format},
    {"WGL_ARB_pbuffer", kWGL_ARB_pbuffer},
    {"WGL_ARB_buffer_region", kWGL_ARB_buffer_region},
};

}  // namespace

const std::span<const EntryPointRow> kGlRows = kGlRowTable;
const std::span<const EntryPointRow> kWglRows = kWglRowTable;

}  // namespace extension_tables
