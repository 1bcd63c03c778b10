# Authenticode signing, for a release: scripts/package turns VANTREL_SIGN on
# when it is given a certificate, which scripts/sign reads from the
# environment. vantrel_sign(<target>) signs a program as it is linked; the
# setup program's rule passes scripts/sign to makensis for the uninstaller
# and the setup program.
option(VANTREL_SIGN "Sign the programs and the setup program with scripts/sign" OFF)
set(VANTREL_SIGN_SCRIPT "${PROJECT_SOURCE_DIR}/scripts/sign")

function(vantrel_sign target)
  if(VANTREL_SIGN)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "${VANTREL_SIGN_SCRIPT}" "$<TARGET_FILE:${target}>" VERBATIM)
  endif()
endfunction()
