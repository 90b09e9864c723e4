# The Windows installer vemora-<version>-win64.msi, built with wixl from
# assets/windows/vemora.wxs over the five files the zip holds. Each version
# gets a product code of its own, derived from the version, so the same
# version always builds the same product.
find_program(VEMORA_WIXL wixl)
if(NOT VEMORA_WIXL)
  message(WARNING "wixl (Debian package wixl) not found: no MSI is built")
  return()
endif()

set(msi_dir ${CMAKE_BINARY_DIR}/msi)
set(VEMORA_MSI ${CMAKE_BINARY_DIR}/vemora-${PROJECT_VERSION}-win64.msi CACHE INTERNAL "The MSI")
string(UUID product_code NAMESPACE 6C1E4F0B-2D7A-4E85-9B3C-5A0F8E7D2C41 NAME "${PROJECT_VERSION}"
       TYPE SHA1 UPPER)

# One command line for the build and for the test that builds a newer
# version: VERSION PRODUCT_CODE OUTPUT, run over the files in msi/stage
# (wixl takes source paths relative to where it runs).
set(VEMORA_MSI_SCRIPT ${msi_dir}/make_msi.sh CACHE INTERNAL "Builds an MSI of the staged files")
file(CONFIGURE OUTPUT ${VEMORA_MSI_SCRIPT} @ONLY CONTENT [[#!/bin/sh
# Usage: make_msi.sh VERSION PRODUCT_CODE OUTPUT
set -e
out=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
cd "$(dirname "$0")"
exec "@VEMORA_WIXL@" -a x64 -D "Version=$1" -D "ProductCode=$2" -D "Vendor=@VEMORA_VENDOR@" \
  -D "Homepage=@VEMORA_HOMEPAGE@" -D Icon=stage/vemora.ico -D Stage=stage -o "$out" \
  "@PROJECT_SOURCE_DIR@/assets/windows/vemora.wxs"
]])
file(CHMOD ${VEMORA_MSI_SCRIPT} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(stage ${msi_dir}/stage)
set(copied ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/assets/windows/LIESMICH.txt
           ${PROJECT_SOURCE_DIR}/assets/icon/vemora.ico ${VEMORA_CLIP_FILE})
add_custom_command(
  OUTPUT ${VEMORA_MSI}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_STRIP} -o ${stage}/vemora.exe $<TARGET_FILE:vemora>
  COMMAND ${CMAKE_STRIP} -o ${stage}/vemora-calc.exe $<TARGET_FILE:vemora-calc>
  COMMAND ${CMAKE_COMMAND} -E copy ${copied} ${stage}
  COMMAND ${VEMORA_MSI_SCRIPT} ${PROJECT_VERSION} ${product_code} ${VEMORA_MSI}
  DEPENDS vemora vemora-calc ${copied} ${PROJECT_SOURCE_DIR}/assets/windows/vemora.wxs
  COMMENT "Building the installer vemora-${PROJECT_VERSION}-win64.msi"
  VERBATIM)
add_custom_target(vemora_msi ALL DEPENDS ${VEMORA_MSI})
