# The zip a Windows user installs from: Tav.exe and Tav.dll of this tree,
# the README in English (UTF-8 with a byte-order mark) and in Japanese
# (code page 932), and the licence, all text with CR LF line ends.
#   cpack --config <tree>/CPackConfig.cmake    (scripts/package.sh runs it)
# gives <tree>/packages/Tav-<version>-win32.zip from the i686 tree,
# Tav-<version>-x64.zip from the x86_64 tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(texts ${CMAKE_BINARY_DIR}/package)
set(convert ${CMAKE_SOURCE_DIR}/scripts/package-text.py)
add_custom_command(
  OUTPUT ${texts}/README.txt ${texts}/README.ja.txt ${texts}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${texts}
  COMMAND ${Python3_EXECUTABLE} ${convert} ${CMAKE_SOURCE_DIR}/README.md ${texts}/README.txt utf-8-bom
  COMMAND ${Python3_EXECUTABLE} ${convert} ${CMAKE_SOURCE_DIR}/README.ja.md ${texts}/README.ja.txt cp932
  COMMAND ${Python3_EXECUTABLE} ${convert} ${CMAKE_SOURCE_DIR}/LICENSE ${texts}/LICENSE.txt cp932
  DEPENDS ${convert} ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/README.ja.md
          ${CMAKE_SOURCE_DIR}/LICENSE
  COMMENT "Package texts in the Windows code pages")
add_custom_target(package_texts ALL
  DEPENDS ${texts}/README.txt ${texts}/README.ja.txt ${texts}/LICENSE.txt)

install(PROGRAMS $<TARGET_FILE:tav_exe> $<TARGET_FILE:tav_hook> DESTINATION .)
install(FILES ${texts}/README.txt ${texts}/README.ja.txt ${texts}/LICENSE.txt DESTINATION .)

if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64")
  set(TAV_PACKAGE_ARCH x64)
else()
  set(TAV_PACKAGE_ARCH win32)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Tav-${PROJECT_VERSION}-${TAV_PACKAGE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
include(CPack)
