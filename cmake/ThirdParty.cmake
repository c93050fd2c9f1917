# Third-party libraries: zlib and stb from the MinGW/Debian packages,
# TinyXML and JsonCpp compiled from Debian's source packages, GoogleTest from /usr/src.

# The static zlib: the exe and the tests must not need a zlib1.dll beside them
# (forced, so that build folders which found the import library switch too).
find_library(ZLIB_STATIC_LIBRARY NAMES libz.a REQUIRED)
set(ZLIB_LIBRARY_RELEASE "${ZLIB_STATIC_LIBRARY}" CACHE FILEPATH "zlib, linked statically" FORCE)
set(ZLIB_LIBRARY "${ZLIB_STATIC_LIBRARY}" CACHE FILEPATH "zlib, linked statically" FORCE)
find_package(ZLIB REQUIRED)

add_library(stb_image INTERFACE)
target_include_directories(stb_image SYSTEM INTERFACE /usr/include/stb)

file(GLOB TINYXML_DIR LIST_DIRECTORIES true "${DEPS_DIR}/tinyxml-*")
if(NOT TINYXML_DIR)
  message(FATAL_ERROR "TinyXML sources not found in ${DEPS_DIR}; run ./dev setup")
endif()
list(GET TINYXML_DIR 0 TINYXML_DIR)
add_library(tinyxml STATIC
  ${TINYXML_DIR}/tinyxml.cpp ${TINYXML_DIR}/tinyxmlerror.cpp
  ${TINYXML_DIR}/tinyxmlparser.cpp ${TINYXML_DIR}/tinystr.cpp)
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_DIR})
target_compile_options(tinyxml PRIVATE -w)

file(GLOB JSONCPP_DIR LIST_DIRECTORIES true "${DEPS_DIR}/libjsoncpp-*")
if(NOT JSONCPP_DIR)
  message(FATAL_ERROR "JsonCpp sources not found in ${DEPS_DIR}; run ./dev setup")
endif()
list(GET JSONCPP_DIR 0 JSONCPP_DIR)
add_library(jsoncpp STATIC
  ${JSONCPP_DIR}/src/lib_json/json_reader.cpp
  ${JSONCPP_DIR}/src/lib_json/json_value.cpp
  ${JSONCPP_DIR}/src/lib_json/json_writer.cpp)
target_include_directories(jsoncpp SYSTEM PUBLIC ${JSONCPP_DIR}/include)
target_include_directories(jsoncpp PRIVATE ${JSONCPP_DIR}/src/lib_json)
target_compile_options(jsoncpp PRIVATE -w)

if(ORVANE_TESTS)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
