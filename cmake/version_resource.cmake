# vantrel_version_resource(<target> <file name> <description>): gives a
# Windows program its version resource, from the project's version.
set(_vantrel_version_rc_template "${CMAKE_CURRENT_LIST_DIR}/version.rc.in")

function(vantrel_version_resource target file_name description)
  set(_file_name "${file_name}")
  set(_description "${description}")
  set(_rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file("${_vantrel_version_rc_template}" "${_rc}" @ONLY)
  target_sources(${target} PRIVATE "${_rc}")
endfunction()

# vantrel_manifest_resource(<target> <manifest file>): embeds the program's
# application manifest (resource 1 of type RT_MANIFEST, 24), which Windows
# reads as it starts the program.
function(vantrel_manifest_resource target manifest)
  set(_rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc")
  file(CONFIGURE OUTPUT "${_rc}" CONTENT "1 24 \"${manifest}\"\n")
  set_source_files_properties("${_rc}" PROPERTIES OBJECT_DEPENDS "${manifest}")
  target_sources(${target} PRIVATE "${_rc}")
endfunction()
