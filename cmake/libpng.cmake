# libpng from Debian's libpng1.6 source package (fetched by scripts/setup.sh),
# unpacked into the build tree and compiled as a static library with our toolchain.
set(PRUNAXIS_DEPS_DIR "/var/cache/prunaxis-deps" CACHE PATH "Where setup.sh keeps source packages")
set(LIBPNG_TARBALL "${PRUNAXIS_DEPS_DIR}/libpng1.6_1.6.39.orig.tar.gz")
set(LIBPNG_SHA256 "a00e9d2f2f664186e4202db9299397f851aea71b36a35e74910b8820e380d441")

if(NOT EXISTS "${LIBPNG_TARBALL}")
  message(FATAL_ERROR "${LIBPNG_TARBALL} is missing: run scripts/setup.sh first")
endif()
file(SHA256 "${LIBPNG_TARBALL}" _png_sum)
if(NOT _png_sum STREQUAL LIBPNG_SHA256)
  message(FATAL_ERROR "${LIBPNG_TARBALL} has sha256 ${_png_sum}, expected ${LIBPNG_SHA256}")
endif()

set(LIBPNG_SRC "${CMAKE_BINARY_DIR}/_deps/libpng-1.6.39")
if(NOT EXISTS "${LIBPNG_SRC}/png.c")
  file(ARCHIVE_EXTRACT INPUT "${LIBPNG_TARBALL}" DESTINATION "${CMAKE_BINARY_DIR}/_deps")
endif()
configure_file("${LIBPNG_SRC}/scripts/pnglibconf.h.prebuilt" "${LIBPNG_SRC}/pnglibconf.h" COPYONLY)

find_library(ZLIB_STATIC NAMES libz.a REQUIRED)
add_library(zlib_static STATIC IMPORTED)
set_target_properties(zlib_static PROPERTIES IMPORTED_LOCATION "${ZLIB_STATIC}")

add_library(png STATIC
  ${LIBPNG_SRC}/png.c ${LIBPNG_SRC}/pngerror.c ${LIBPNG_SRC}/pngget.c ${LIBPNG_SRC}/pngmem.c
  ${LIBPNG_SRC}/pngpread.c ${LIBPNG_SRC}/pngread.c ${LIBPNG_SRC}/pngrio.c ${LIBPNG_SRC}/pngrtran.c
  ${LIBPNG_SRC}/pngrutil.c ${LIBPNG_SRC}/pngset.c ${LIBPNG_SRC}/pngtrans.c ${LIBPNG_SRC}/pngwio.c
  ${LIBPNG_SRC}/pngwrite.c ${LIBPNG_SRC}/pngwtran.c ${LIBPNG_SRC}/pngwutil.c)
target_include_directories(png SYSTEM PUBLIC ${LIBPNG_SRC})
target_compile_options(png PRIVATE -w)
target_compile_definitions(png PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
target_link_libraries(png PUBLIC zlib_static)
