# libmpg123 from Debian's source package, built the same way for the desktop and for the
# page: only its portable C decoder, in strict IEEE arithmetic (no fast-math, no fused
# multiply-add), so both decode the music to the very same samples and the morphing model,
# which follows them, draws the same frame. Debian's own binary is built with -ffast-math
# and picks an assembler decoder at run time; its samples differ from any other build's in
# the last bit. scripts/setup.sh fetches the package (.dsc, upstream tarball, Debian
# tarball); here it is checked against its .dsc, unpacked with Debian's patches applied and
# one of ours (mpg123-seek.patch), and compiled. Nothing is downloaded.
set(TARVEL_DEBIAN_SOURCE_DIR ${CMAKE_SOURCE_DIR}/build/debian-source CACHE PATH
  "Where scripts/setup.sh puts the Debian source packages the build compiles")

file(GLOB mpg123_dsc ${TARVEL_DEBIAN_SOURCE_DIR}/mpg123_*.dsc)
list(LENGTH mpg123_dsc mpg123_dsc_count)
if(NOT mpg123_dsc_count EQUAL 1)
  message(FATAL_ERROR "${TARVEL_DEBIAN_SOURCE_DIR}: expected one Debian source package of "
    "mpg123 (mpg123_*.dsc), found ${mpg123_dsc_count}: run scripts/setup.sh")
endif()
file(STRINGS ${mpg123_dsc} mpg123_version_line REGEX "^Version: ")
string(REGEX REPLACE "^Version: " "" TARVEL_MPG123_VERSION "${mpg123_version_line}")

set(mpg123_tree ${CMAKE_BINARY_DIR}/mpg123-${TARVEL_MPG123_VERSION})
set(mpg123_patch ${CMAKE_CURRENT_LIST_DIR}/mpg123-seek.patch)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${mpg123_dsc} ${mpg123_patch})
file(SHA256 ${mpg123_patch} mpg123_stamp)
set(unpacked "")
if(EXISTS ${mpg123_tree}/.unpacked)
  file(READ ${mpg123_tree}/.unpacked unpacked)
endif()
if(NOT unpacked STREQUAL mpg123_stamp)
  # Every file the .dsc lists under Checksums-Sha256 but the upstream signature.
  file(STRINGS ${mpg123_dsc} mpg123_lines)
  set(in_sums FALSE)
  set(mpg123_tarballs)
  foreach(line IN LISTS mpg123_lines)
    if(line MATCHES "^Checksums-Sha256:")
      set(in_sums TRUE)
    elseif(in_sums AND line MATCHES "^ ([0-9a-f]+) [0-9]+ (.+)$")
      set(sum ${CMAKE_MATCH_1})
      set(name ${CMAKE_MATCH_2})
      if(NOT name MATCHES "\\.asc$")
        set(path ${TARVEL_DEBIAN_SOURCE_DIR}/${name})
        if(NOT EXISTS ${path})
          message(FATAL_ERROR "${path}: missing (run scripts/setup.sh)")
        endif()
        file(SHA256 ${path} actual)
        if(NOT actual STREQUAL sum)
          message(FATAL_ERROR "${path}: its SHA-256 is not the one ${mpg123_dsc} names")
        endif()
        list(APPEND mpg123_tarballs ${path})
      endif()
    elseif(in_sums)
      set(in_sums FALSE)
    endif()
  endforeach()
  set(orig ${mpg123_tarballs})
  list(FILTER orig INCLUDE REGEX "\\.orig\\.tar\\.")
  set(debian ${mpg123_tarballs})
  list(FILTER debian INCLUDE REGEX "\\.debian\\.tar\\.")
  if(NOT orig OR NOT debian)
    message(FATAL_ERROR "${mpg123_dsc}: names no upstream and Debian tarball")
  endif()
  file(REMOVE_RECURSE ${mpg123_tree} ${mpg123_tree}.tmp)
  file(ARCHIVE_EXTRACT INPUT ${orig} DESTINATION ${mpg123_tree}.tmp)
  file(GLOB top ${mpg123_tree}.tmp/*)
  file(RENAME ${top} ${mpg123_tree})
  file(REMOVE_RECURSE ${mpg123_tree}.tmp)
  file(ARCHIVE_EXTRACT INPUT ${debian} DESTINATION ${mpg123_tree})
  file(STRINGS ${mpg123_tree}/debian/patches/series patches REGEX "^[^#]")
  find_program(PATCH_PROGRAM patch REQUIRED)
  list(TRANSFORM patches PREPEND ${mpg123_tree}/debian/patches/)
  # Ours last: a seek gives the samples a straight decode gives (the patch says why).
  list(APPEND patches ${mpg123_patch})
  foreach(patch IN LISTS patches)
    execute_process(COMMAND ${PATCH_PROGRAM} -p1 -s -i ${patch}
      WORKING_DIRECTORY ${mpg123_tree} RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "${mpg123_tree}: the patch ${patch} does not apply")
    endif()
  endforeach()
  file(WRITE ${mpg123_tree}/.unpacked ${mpg123_stamp})
endif()

# What the library's configure script finds on Debian, for either target.
file(STRINGS ${mpg123_tree}/configure.ac api_line REGEX "^API_VERSION=")
string(REGEX REPLACE "^API_VERSION=" "" API_VERSION "${api_line}")
string(REGEX REPLACE "-[^-]*$" "" PACKAGE_VERSION "${TARVEL_MPG123_VERSION}")
set(INCLUDE_STDLIB_H "#include <stdlib.h>")
set(INCLUDE_SYS_TYPE_H "#include <sys/types.h>")
set(BUILD_NO_LARGENAME 1)
set(mpg123_generated ${CMAKE_BINARY_DIR}/mpg123-include)
configure_file(${mpg123_tree}/src/libmpg123/mpg123.h.in ${mpg123_generated}/mpg123.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mpg123-config.h.in ${mpg123_generated}/config.h @ONLY)

set(mpg123_sources)
foreach(name parse frame format dct64 id3 optimize readers tabinit libmpg123 index layer1
    layer2 layer3 equalizer synth_8bit synth synth_s32 synth_real lfs_alias icy icy2utf8
    feature ntom stringbuf)
  list(APPEND mpg123_sources ${mpg123_tree}/src/libmpg123/${name}.c)
endforeach()
list(APPEND mpg123_sources ${mpg123_tree}/src/compat/compat.c
  ${mpg123_tree}/src/compat/compat_str.c)
add_library(tarvel_mpg123 STATIC ${mpg123_sources})
target_compile_definitions(tarvel_mpg123 PRIVATE HAVE_CONFIG_H OPT_GENERIC REAL_IS_FLOAT)
target_include_directories(tarvel_mpg123 PRIVATE ${mpg123_generated} ${mpg123_tree}/src
  ${mpg123_tree}/src/compat ${mpg123_tree}/src/libmpg123)
target_include_directories(tarvel_mpg123 SYSTEM INTERFACE ${mpg123_generated}
  ${mpg123_tree}/src/libmpg123)
# Someone else's code: none of our warnings, and AddressSanitizer alone where we sanitize
# (with the fuzzer's coverage in the fuzz build, so the MP3 target explores the decoder).
# The same optimisation in every build type, so a debug build hears what a release build does.
get_directory_property(mpg123_options COMPILE_OPTIONS)
list(FILTER mpg123_options EXCLUDE REGEX "^-W|^-fsanitize")
if(TARVEL_FUZZ)
  list(APPEND mpg123_options -fsanitize=fuzzer-no-link,address)
elseif(TARVEL_SANITIZE)
  list(APPEND mpg123_options -fsanitize=address)
endif()
set_property(TARGET tarvel_mpg123 PROPERTY COMPILE_OPTIONS ${mpg123_options}
  -w -O2 -fno-fast-math -ffp-contract=off)
set_property(TARGET tarvel_mpg123 PROPERTY C_STANDARD 99)
target_link_libraries(tarvel_mpg123 INTERFACE m)
