# Delay-loaded system libraries: a DLL linked through orvane_delay_import()
# is loaded on the first call into it instead of at process start. GDI+ and
# OLE pull in half a dozen more DLLs that a plain start never needs; a
# library the system does not protect (not a KnownDLL) would be looked for
# in the exe's own folder first if it were imported at start, before the
# entry point could narrow the search to System32.
#   orvane_delay_import(<name> <dll base name>) defines the imported target <name>.
find_program(ORVANE_DLLTOOL NAMES ${TRIPLE}-dlltool REQUIRED)
find_library(ORVANE_DELAYIMP_LIBRARY delayimp REQUIRED)

function(orvane_delay_import name dll)
  find_library(import_${dll} ${dll} REQUIRED)
  set(out ${CMAKE_BINARY_DIR}/delayimp/lib${dll}_delay.a)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${ORVANE_DLLTOOL} -DDLL=${dll}
      -DIMPORT_LIBRARY=${import_${dll}} -DOUTPUT=${out} -DDECORATED=$<EQUAL:${CMAKE_SIZEOF_VOID_P},4>
      -P ${CMAKE_SOURCE_DIR}/cmake/MakeDelayLibrary.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/MakeDelayLibrary.cmake
    COMMENT "Delay-import library for ${dll}.dll")
  add_custom_target(${name}_generate DEPENDS ${out})
  add_library(${name} STATIC IMPORTED GLOBAL)
  # The plain import library follows for the few helpers it defines itself
  # (GDI+ keeps cached string-format data there); its stubs stay unused.
  set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${out}
    INTERFACE_LINK_LIBRARIES "${ORVANE_DELAYIMP_LIBRARY};${import_${dll}}")
  add_dependencies(${name} ${name}_generate)
endfunction()
