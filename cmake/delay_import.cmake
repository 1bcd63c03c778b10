# vantrel_delay_import(<target> <dll> <function>...): links `target` to these
# functions of `dll` so that the DLL is loaded at the first call of one of
# them, not as the program starts, and from where the program's DLL search
# order says at that time (common/system_dlls_win32.h). GNU ld has no
# /DELAYLOAD; dlltool makes an import library whose entries load the DLL on first use (the helper they
# call is in MinGW-w64's runtime). A function of that DLL that is not listed
# links normally where the DLL's import library is linked (MinGW links
# shell32 always, and comdlg32 with -mwindows), and then loads it at start;
# `objdump -p` lists the DLLs a program loads at start. The stub that loads
# the DLL at a function's first call keeps only the integer argument
# registers: bind a DLL whose functions take float or double arguments before
# its first call (Bind_Delay_Loaded_Dll in common/system_dlls_win32.h), with
# the library's descriptor __DELAY_IMPORT_DESCRIPTOR_lib<target>_<dll>_delay_a.
function(vantrel_delay_import target dll)
  get_filename_component(_name "${dll}" NAME_WE)
  set(_def "${CMAKE_CURRENT_BINARY_DIR}/${target}_${_name}_delay.def")
  # dlltool names the library's symbols after the output path it is given:
  # a name relative to the binary folder keeps the build folder out of the
  # programs, and the target's name keeps two libraries of one DLL apart.
  set(_lib_name "lib${target}_${_name}_delay.a")
  set(_lib "${CMAKE_CURRENT_BINARY_DIR}/${_lib_name}")
  list(JOIN ARGN "\n" _exports)
  file(CONFIGURE OUTPUT "${_def}" CONTENT "LIBRARY ${dll}\nEXPORTS\n${_exports}\n")
  # A fixed prefix for dlltool's member names, which would otherwise carry
  # its process id: the same source gives the same library.
  add_custom_command(OUTPUT "${_lib}"
    COMMAND "${CMAKE_DLLTOOL}" --input-def "${_def}" --output-delaylib "${_lib_name}"
            --temp-prefix "${target}_${_name}_delay"
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    DEPENDS "${_def}" VERBATIM)
  add_custom_target(${target}_${_name}_delay DEPENDS "${_lib}")
  add_dependencies(${target} ${target}_${_name}_delay)
  target_link_libraries(${target} PRIVATE "${_lib}")
endfunction()
