# Copies the web-font files into the build tree's resources/fonts, where the
# program loads them at start-up. The files come from the npm font packages
# pinned in package.json (scripts/install-deps.sh installs them); nothing is
# committed. Only the Latin subsets at the weights the pages ask for are
# taken, which keeps start-up quick. Without node_modules nothing is copied
# and the canvas falls back to substitute families.
set(ZOV_FONT_SOURCE_DIR "${PROJECT_SOURCE_DIR}/node_modules/@fontsource")
set(ZOV_FONT_BUILD_DIR "${PROJECT_BINARY_DIR}/resources/fonts")

file(GLOB zov_font_candidates CONFIGURE_DEPENDS "${ZOV_FONT_SOURCE_DIR}/*/files/*.woff2")
set(zov_font_files)
foreach(font IN LISTS zov_font_candidates)
  get_filename_component(font_name "${font}" NAME)
  if(font_name MATCHES "-latin(-ext)?-(100|300|400|700)-(normal|italic)\\.woff2$")
    list(APPEND zov_font_files "${font}")
  endif()
endforeach()

set(zov_font_stamp "${ZOV_FONT_BUILD_DIR}/.copied")
if(zov_font_files)
  add_custom_command(OUTPUT "${zov_font_stamp}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${ZOV_FONT_BUILD_DIR}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${zov_font_files} "${ZOV_FONT_BUILD_DIR}"
    COMMAND ${CMAKE_COMMAND} -E touch "${zov_font_stamp}"
    DEPENDS ${zov_font_files}
    COMMENT "Copying web fonts"
    VERBATIM)
else()
  add_custom_command(OUTPUT "${zov_font_stamp}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${ZOV_FONT_BUILD_DIR}"
    COMMAND ${CMAKE_COMMAND} -E touch "${zov_font_stamp}"
    COMMENT "No web fonts installed (run scripts/install-deps.sh)"
    VERBATIM)
endif()
add_custom_target(zov_fonts ALL DEPENDS "${zov_font_stamp}")
add_dependencies(zovcore zov_fonts)

target_compile_definitions(zovcore PUBLIC ZOV_BUILD_RESOURCES="${PROJECT_BINARY_DIR}/resources")
install(DIRECTORY "${ZOV_FONT_BUILD_DIR}/" DESTINATION share/zov/resources/fonts
        FILES_MATCHING PATTERN "*.woff2")
