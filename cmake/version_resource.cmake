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
