# Every folder of ours builds from the sources it holds, so adding a class
# means adding its two files, not editing build scripts.

set(KIV_WARNINGS -Wall -Wextra -Werror -Wno-unused-parameter)

# Precompiled headers keep the build short: the standard library for every
# target, Qt's widget headers for the targets that use Qt. Each kind is
# compiled once, by a small anchor library, and reused by every target of
# that kind: one precompiled Qt header costs as much as a dozen sources.
set(KIV_PCH_STD <string> <vector> <memory> <functional> <algorithm> <map>)
set(KIV_PCH_QT <QtWidgets/QtWidgets>)
# Test programs are compiled position-independent for an executable, the
# libraries for a shared object, and a precompiled header serves only the
# one kind: so the test anchors are small programs themselves.
function(kiv_pch_anchor name)
  cmake_parse_arguments(ARG "PROGRAM" "" "HEADERS;DEPS" ${ARGN})
  set(src ${CMAKE_BINARY_DIR}/pch/${name}.cpp)
  if(ARG_PROGRAM)
    set(text "// Anchors a shared precompiled header.\nint main() { return 0; }\n")
  else()
    set(text "// Anchors a shared precompiled header.\n")
  endif()
  file(CONFIGURE OUTPUT ${src} CONTENT "${text}")
  if(ARG_PROGRAM)
    add_executable(${name} ${src})
  else()
    add_library(${name} STATIC ${src})
  endif()
  target_compile_options(${name} PRIVATE ${KIV_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_precompile_headers(${name} PRIVATE ${ARG_HEADERS})
endfunction()
# Gives a target the shared precompiled header of its kind (std, qt,
# test or test_qt), making the anchor on first use.
function(kiv_reuse_pch name kind)
  if(NOT KIV_PRECOMPILE)
    return()
  endif()
  set(anchor kiv_pch_${kind})
  if(NOT TARGET ${anchor})
    if(kind STREQUAL "std")
      kiv_pch_anchor(${anchor} HEADERS ${KIV_PCH_STD})
    elseif(kind STREQUAL "qt")
      kiv_pch_anchor(${anchor} HEADERS ${KIV_PCH_STD} ${KIV_PCH_QT} DEPS Qt6::Widgets)
    elseif(kind STREQUAL "test")
      kiv_pch_anchor(${anchor} PROGRAM HEADERS <gtest/gtest.h> ${KIV_PCH_STD} DEPS GTest::gtest)
    else()
      kiv_pch_anchor(${anchor} PROGRAM HEADERS <gtest/gtest.h> ${KIV_PCH_STD} ${KIV_PCH_QT}
                     DEPS GTest::gtest Qt6::Widgets)
    endif()
  endif()
  target_precompile_headers(${name} REUSE_FROM ${anchor})
endfunction()
function(kiv_precompile name deps)
  if(deps MATCHES "Qt6::")
    kiv_reuse_pch(${name} qt)
  else()
    kiv_reuse_pch(${name} std)
  endif()
endfunction()

# A subfolder named in EXCLUDE belongs to a library of its own.
function(kiv_library name folder)
  cmake_parse_arguments(ARG "GENERATED" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  foreach(sub IN LISTS ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/${folder}/${sub}/")
  endforeach()
  list(FILTER srcs EXCLUDE REGEX "/CMakeLists.txt$")
  set(cpps ${srcs})
  list(FILTER cpps INCLUDE REGEX "\\.cpp$")
  if(NOT cpps AND NOT ARG_GENERATED)
    # A folder that has no sources yet still gives a target to link.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIV_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  kiv_precompile(${name} "${ARG_DEPS}")
endfunction()

# One test program per folder of tests/, run as one CTest entry so that
# the two CI cores stay busy with whole programs.
# QT gives the program the test main with an offscreen QApplication.
function(kiv_tests name folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS;ENV;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  # A subfolder named in EXCLUDE is a test program of its own.
  foreach(sub IN LISTS ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/${folder}/${sub}/")
  endforeach()
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_compile_options(${name} PRIVATE ${KIV_WARNINGS})
  if(ARG_QT)
    kiv_reuse_pch(${name} test_qt)
  else()
    kiv_reuse_pch(${name} test)
  endif()
  if(ARG_QT)
    set(main kiv_testmain_qt)
  else()
    set(main kiv_testmain)
  endif()
  target_link_libraries(${name} PRIVATE ${main} ${ARG_DEPS} kiv_testsupport GTest::gtest)
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TZ=JST-9;LANG=C.UTF-8;QT_QPA_PLATFORM=offscreen;KIV_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp;${ARG_ENV}"
    TIMEOUT 600)
endfunction()
