# The browser build: the show compiled by Emscripten to WebAssembly on WebGL 2, its music
# decoded by the same mpg123 as the desktop's (cmake/mpg123.cmake) as it plays, and played
# through Web Audio, its pictures read by stb_image from
# Emscripten's own library cache. Everything comes from Debian's emscripten package; no
# port is used (they download, and fail offline). GTK, FFmpeg and the offline modes'
# writers stay out: the page has no use for them. The data set is packed by
# scripts/build-web.sh, so a page can be tried with another package without a rebuild.
set(TARVEL_DATA_SET "" CACHE PATH "The data set to pack (the directory that holds vintra/)")

add_compile_options(-include ${CMAKE_SOURCE_DIR}/web/compat/libcxx13.h)
add_subdirectory(src)
# The page's own pieces in place of the desktop's (src/CMakeLists.txt's TARVEL_DESKTOP_ONLY):
# web/FOLDER/*.cpp joins the library of src/FOLDER and follows its include rules.
file(GLOB web_folders LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/web/*)
foreach(folder ${web_folders})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(sources)
    get_filename_component(name ${folder} NAME)
    target_sources(tarvel_${name} PRIVATE ${sources})
  endif()
endforeach()
# WebGL 2 is OpenGL ES 3.0: every GL call of the show goes through our GL layer.
target_compile_definitions(tarvel_render PUBLIC TARVEL_GL_LAYER_ONLY)
# Emscripten's own copy of stb_image's header (its library is in Emscripten's cache).
target_include_directories(tarvel_platform PRIVATE ${EMSCRIPTEN_ROOT_PATH}/third_party)
# clang (Emscripten's compiler) asks for fewer lambda captures than GCC accepts.
target_compile_options(tarvel_render PRIVATE -Wno-unused-lambda-capture)

# The player's hooks (web/shell/page_control.cpp): named here, or the linker leaves them out.
set(TARVEL_PAGE_CONTROL _tarvel_set_paused,_tarvel_paused,_tarvel_seek,_tarvel_end_time,
  _tarvel_hold_at_end,_tarvel_schedule,_tarvel_key_help,_tarvel_file_saved)
string(REPLACE ";" "" TARVEL_PAGE_CONTROL "${TARVEL_PAGE_CONTROL}")
# One frame is one callback of the browser's animation loop; the page starts main itself
# when its start panel's OK is pressed (or at once for ?at=T).
set(TARVEL_WEB_LINK_OPTIONS
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
  -sSTB_IMAGE=1
  -sINVOKE_RUN=0 -sFORCE_FILESYSTEM=1
  "-sEXPORTED_RUNTIME_METHODS=[callMain,FS,HEAPU8,HEAP32,ccall,UTF8ToString]"
  "-sEXPORTED_FUNCTIONS=[_main,_malloc,_free,_tarvel_show_time,_tarvel_music_time,_tarvel_music_decoded_seconds,_tarvel_music_digest,${TARVEL_PAGE_CONTROL}]"
  -sENVIRONMENT=web)

target_link_options(tarvel PRIVATE ${TARVEL_WEB_LINK_OPTIONS})
set_target_properties(tarvel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/page
  SUFFIX .js)

# The page beside the program: its HTML, style and script are copied as they are.
set(page_files)
foreach(file index.html page.css page.js notices.js data_cache.js player.js studio.js pace.js)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/page/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/${file} ${CMAKE_BINARY_DIR}/page/${file}
    DEPENDS ${CMAKE_SOURCE_DIR}/web/${file})
  list(APPEND page_files ${CMAKE_BINARY_DIR}/page/${file})
endforeach()
add_custom_target(page ALL DEPENDS tarvel ${page_files})
