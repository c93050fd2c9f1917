# Turns a system import library into a delay-import library with the same
# exports: reads the function names from the import library and lets dlltool
# write the delay-load stubs. In 32-bit builds the stdcall names keep their
# "@n" for linking and lose it in the DLL's import table (-k).
execute_process(COMMAND ${NM} -g --defined-only ${IMPORT_LIBRARY}
  OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]* T [^\n]*" lines "${symbols}")
set(def "LIBRARY ${DLL}.dll\nEXPORTS\n")
foreach(line ${lines})
  string(REGEX REPLACE ".* T " "" symbol "${line}")
  if(DECORATED)
    string(REGEX REPLACE "^_" "" symbol "${symbol}")
  endif()
  if(NOT symbol MATCHES "^[.]" AND NOT symbol MATCHES "^__")
    string(APPEND def "${symbol}\n")
  endif()
endforeach()
get_filename_component(folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
file(WRITE ${OUTPUT}.def "${def}")
set(kill_at)
if(DECORATED)
  set(kill_at -k)
endif()
execute_process(COMMAND ${DLLTOOL} ${kill_at} -d ${OUTPUT}.def -y ${OUTPUT} -D ${DLL}.dll
  COMMAND_ERROR_IS_FATAL ANY)
