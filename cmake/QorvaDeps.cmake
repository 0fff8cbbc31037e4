# Third-party libraries as imported targets, the same names for every preset:
#   qorva::zlib  qorva::png  qorva::minizip  qorva::pugixml  qorva::duktape
#   qorva::json (nlohmann/json, header only)
# Windows builds link the static libraries scripts/bootstrap.sh cross-builds
# into QORVA_DEPS_PREFIX; native builds use the distribution's -dev packages.
# minizip's headers are reachable both as <unzip.h> and <minizip/unzip.h>.
if(TARGET qorva::zlib)
  return()
endif()

set(_qorva_deps_missing "")

if(WIN32)
  if(NOT QORVA_DEPS_PREFIX AND QORVA_MINGW_TRIPLE)
    set(QORVA_DEPS_PREFIX "${CMAKE_SOURCE_DIR}/build/deps/${QORVA_MINGW_TRIPLE}")
  endif()
  set(QORVA_DEPS_PREFIX "${QORVA_DEPS_PREFIX}" CACHE PATH
      "Folder with include/ and lib/ of the cross-built third-party libraries")

  # _qorva_static_dep(<name> <library file> <header> [<link dependency>])
  function(_qorva_static_dep name library header)
    set(lib "${QORVA_DEPS_PREFIX}/lib/${library}")
    set(inc "${QORVA_DEPS_PREFIX}/include")
    if(NOT EXISTS "${lib}" OR NOT EXISTS "${inc}/${header}")
      set(_qorva_deps_missing ${_qorva_deps_missing} ${name} PARENT_SCOPE)
      return()
    endif()
    add_library(qorva::${name} STATIC IMPORTED)
    set_target_properties(qorva::${name} PROPERTIES
        IMPORTED_LOCATION "${lib}"
        INTERFACE_INCLUDE_DIRECTORIES "${inc}")
    if(ARGC GREATER 3)
      set_target_properties(qorva::${name} PROPERTIES INTERFACE_LINK_LIBRARIES "${ARGV3}")
    endif()
  endfunction()

  _qorva_static_dep(zlib libz.a zlib.h)
  _qorva_static_dep(png libpng16.a png.h qorva::zlib)
  _qorva_static_dep(minizip libminizip.a minizip/unzip.h qorva::zlib)
  _qorva_static_dep(pugixml libpugixml.a pugixml.hpp)
  _qorva_static_dep(duktape libduktape.a duktape.h)
  if(TARGET qorva::minizip)
    set_property(TARGET qorva::minizip APPEND PROPERTY
        INTERFACE_INCLUDE_DIRECTORIES "${QORVA_DEPS_PREFIX}/include/minizip")
  endif()
  set(_qorva_deps_where "in ${QORVA_DEPS_PREFIX}")
else()
  find_package(ZLIB QUIET)
  find_package(PNG QUIET)
  find_package(PkgConfig QUIET)

  if(TARGET ZLIB::ZLIB)
    add_library(qorva::zlib INTERFACE IMPORTED)
    target_link_libraries(qorva::zlib INTERFACE ZLIB::ZLIB)
  else()
    list(APPEND _qorva_deps_missing zlib)
  endif()
  if(TARGET PNG::PNG)
    add_library(qorva::png INTERFACE IMPORTED)
    target_link_libraries(qorva::png INTERFACE PNG::PNG)
  else()
    list(APPEND _qorva_deps_missing png)
  endif()

  # _qorva_pkg_config_dep(<name> <pkg-config module>)
  function(_qorva_pkg_config_dep name module)
    if(PKG_CONFIG_FOUND)
      pkg_check_modules(_qorva_pc_${name} QUIET IMPORTED_TARGET GLOBAL ${module})
    endif()
    if(NOT TARGET PkgConfig::_qorva_pc_${name})
      set(_qorva_deps_missing ${_qorva_deps_missing} ${name} PARENT_SCOPE)
      return()
    endif()
    add_library(qorva::${name} INTERFACE IMPORTED)
    target_link_libraries(qorva::${name} INTERFACE PkgConfig::_qorva_pc_${name})
  endfunction()

  _qorva_pkg_config_dep(minizip minizip)
  _qorva_pkg_config_dep(pugixml pugixml)
  _qorva_pkg_config_dep(duktape duktape)
  if(TARGET qorva::minizip AND TARGET qorva::zlib)
    target_link_libraries(qorva::minizip INTERFACE qorva::zlib)
  endif()
  set(_qorva_deps_where "(pkg-config and the -dev packages)")
endif()

# nlohmann/json is header only: the distribution's package serves every
# preset. Its headers sit in the host's include folder, which a Windows build
# must not search as a whole, so qorva::json points at a folder of the build
# tree holding nothing but a link to nlohmann/. JSON_NOEXCEPTION: our code
# uses only the calls that report failure without throwing.
find_package(nlohmann_json 3.11 CONFIG QUIET NO_CMAKE_FIND_ROOT_PATH)
set(_qorva_json_headers "")
if(TARGET nlohmann_json::nlohmann_json)
  get_target_property(_qorva_json_dirs nlohmann_json::nlohmann_json INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir IN LISTS _qorva_json_dirs)
    if(EXISTS "${dir}/nlohmann/json.hpp")
      set(_qorva_json_headers "${dir}/nlohmann")
      break()
    endif()
  endforeach()
endif()
if(NOT _qorva_json_headers)
  message(FATAL_ERROR
      "nlohmann/json 3.11 (or a later 3.x) not found as CMake package nlohmann_json: "
      "install the nlohmann-json3-dev package (scripts/bootstrap.sh does)")
endif()
set(_qorva_json_include "${CMAKE_BINARY_DIR}/third_party/json/include")
file(MAKE_DIRECTORY "${_qorva_json_include}")
if(IS_SYMLINK "${_qorva_json_include}/nlohmann")
  file(READ_SYMLINK "${_qorva_json_include}/nlohmann" _qorva_json_linked)
  if(NOT _qorva_json_linked STREQUAL _qorva_json_headers)
    file(REMOVE "${_qorva_json_include}/nlohmann")
  endif()
endif()
if(NOT EXISTS "${_qorva_json_include}/nlohmann")
  file(CREATE_LINK "${_qorva_json_headers}" "${_qorva_json_include}/nlohmann" SYMBOLIC)
endif()
add_library(qorva::json INTERFACE IMPORTED)
set_target_properties(qorva::json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${_qorva_json_include}"
    INTERFACE_COMPILE_DEFINITIONS JSON_NOEXCEPTION)
unset(_qorva_json_headers)
unset(_qorva_json_dirs)
unset(_qorva_json_include)
unset(_qorva_json_linked)

if(_qorva_deps_missing)
  list(JOIN _qorva_deps_missing ", " _qorva_deps_list)
  message(FATAL_ERROR
      "Third-party libraries not found ${_qorva_deps_where}: ${_qorva_deps_list}. "
      "Run scripts/bootstrap.sh")
endif()
unset(_qorva_deps_missing)
unset(_qorva_deps_where)
