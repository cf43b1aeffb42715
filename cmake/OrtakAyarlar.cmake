# One interface target carrying the language level, warnings and Qt's strictness macros.
add_library(zelvora_ortak INTERFACE)
target_compile_features(zelvora_ortak INTERFACE cxx_std_20)
target_compile_options(zelvora_ortak INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
target_compile_definitions(zelvora_ortak INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)

# Debian's build flags, as every program of the distribution is built: the stack protector,
# fortified C library calls, format checks (dpkg-buildflags' CPPFLAGS and CXXFLAGS) and a
# read-only relocation table (LDFLAGS). On by default wherever dpkg-buildflags is found,
# so that the package made from any build folder carries them; not in a Debug build, where
# fortification has no optimiser to work with.
find_program(ZELVORA_DPKG_BUILDFLAGS dpkg-buildflags)
if(ZELVORA_DPKG_BUILDFLAGS AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(zelvora_dpkg_varsayilan ON)
else()
  set(zelvora_dpkg_varsayilan OFF)
endif()
option(ZELVORA_DPKG_BAYRAKLARI "Compile and link with the flags of dpkg-buildflags (the package build)"
  ${zelvora_dpkg_varsayilan})
if(ZELVORA_DPKG_BAYRAKLARI)
  if(NOT ZELVORA_DPKG_BUILDFLAGS)
    message(FATAL_ERROR "ZELVORA_DPKG_BAYRAKLARI needs dpkg-buildflags (Debian's dpkg-dev)")
  endif()
  foreach(tur CPPFLAGS CXXFLAGS LDFLAGS)
    # Run in the source folder: the file-prefix map then writes paths relative to it.
    execute_process(COMMAND ${ZELVORA_DPKG_BUILDFLAGS} --get ${tur}
      WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
      OUTPUT_VARIABLE bayraklar OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(bayraklar UNIX_COMMAND "${bayraklar}")
    set(ZELVORA_DPKG_${tur} ${bayraklar})
  endforeach()
  target_compile_options(zelvora_ortak INTERFACE ${ZELVORA_DPKG_CPPFLAGS} ${ZELVORA_DPKG_CXXFLAGS})
  target_link_options(zelvora_ortak INTERFACE ${ZELVORA_DPKG_LDFLAGS})
  message(STATUS "dpkg-buildflags: ${ZELVORA_DPKG_CPPFLAGS} ${ZELVORA_DPKG_CXXFLAGS} ${ZELVORA_DPKG_LDFLAGS}")
endif()
