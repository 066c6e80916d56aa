# Copies the script and style files that pages load from beside themselves when
# they are previewed locally (jQuery 2.2.2, Bootstrap 3.3.4) into the top of the
# build tree's resources, under the names the pages use. The files come from the
# npm packages pinned in package.json (scripts/install-deps.sh installs them);
# nothing is committed. Without node_modules nothing is copied, and a local
# preview then lacks its scripts.
set(ZOV_PAGE_SCRIPT_BUILD_DIR "${PROJECT_BINARY_DIR}/resources")
set(zov_page_script_pairs
  "jquery/dist/jquery.min.js=jquery-2.2.2.min.js"
  "bootstrap/dist/js/bootstrap.min.js=bootstrap.min.js"
  "bootstrap/dist/css/bootstrap.min.css=bootstrap.min.css")

set(zov_page_script_commands)
set(zov_page_script_sources)
set(zov_page_script_outputs)
foreach(pair IN LISTS zov_page_script_pairs)
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 from)
  list(GET parts 1 to)
  set(from "${PROJECT_SOURCE_DIR}/node_modules/${from}")
  if(EXISTS "${from}")
    list(APPEND zov_page_script_sources "${from}")
    list(APPEND zov_page_script_outputs "${ZOV_PAGE_SCRIPT_BUILD_DIR}/${to}")
    list(APPEND zov_page_script_commands
      COMMAND ${CMAKE_COMMAND} -E copy_if_different "${from}" "${ZOV_PAGE_SCRIPT_BUILD_DIR}/${to}")
  endif()
endforeach()

if(zov_page_script_outputs)
  add_custom_command(OUTPUT ${zov_page_script_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${ZOV_PAGE_SCRIPT_BUILD_DIR}"
    ${zov_page_script_commands}
    DEPENDS ${zov_page_script_sources}
    COMMENT "Copying the page scripts (jQuery, Bootstrap)"
    VERBATIM)
  add_custom_target(zov_page_scripts ALL DEPENDS ${zov_page_script_outputs})
  add_dependencies(zovcore zov_page_scripts)
  install(FILES ${zov_page_script_outputs} DESTINATION share/zov/resources)
else()
  message(STATUS "jQuery and Bootstrap are not installed (run scripts/install-deps.sh): local previews lack them")
endif()
