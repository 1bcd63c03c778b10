# vantrel_delay_import(<target> <dll> <function>...): links `target` to these
# functions of `dll` so that the DLL is loaded at the first call of one of
# them, not as the program starts. GNU ld has no /DELAYLOAD; dlltool makes an
# import library whose entries load the DLL on first use (the helper they
# call is in MinGW-w64's runtime). A function of that DLL that is not listed
# links normally where the DLL's import library is linked (MinGW links
# shell32 always, and comdlg32 with -mwindows), and then loads it at start;
# `objdump -p` lists the DLLs a program loads at start.
function(vantrel_delay_import target dll)
  get_filename_component(_name "${dll}" NAME_WE)
  set(_def "${CMAKE_CURRENT_BINARY_DIR}/${_name}_delay.def")
  set(_lib "${CMAKE_CURRENT_BINARY_DIR}/lib${_name}_delay.a")
  list(JOIN ARGN "\n" _exports)
  file(CONFIGURE OUTPUT "${_def}" CONTENT "LIBRARY ${dll}\nEXPORTS\n${_exports}\n")
  # A fixed prefix for dlltool's member names, which would otherwise carry
  # its process id: the same source gives the same library.
  add_custom_command(OUTPUT "${_lib}"
    COMMAND "${CMAKE_DLLTOOL}" --input-def "${_def}" --output-delaylib "${_lib}"
            --temp-prefix "${_name}_delay"
    DEPENDS "${_def}" VERBATIM)
  add_custom_target(${target}_${_name}_delay DEPENDS "${_lib}")
  add_dependencies(${target} ${target}_${_name}_delay)
  target_link_libraries(${target} PRIVATE "${_lib}")
endfunction()
