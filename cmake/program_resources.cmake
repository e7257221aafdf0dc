# varnole_program_resources(TARGET DESCRIPTION): gives a Windows program of the suite its
# application manifest and its version resource, both generated from the templates in program/
# into the target's build folder, so every program carries the project's one version number
# (project(VERSION) in the top CMakeLists.txt) and the same manifest. The program's own .rc files
# stay as they are: the generated .rc holds only resource 1 of type RT_MANIFEST and
# VS_VERSION_INFO, which no program defines itself.
set(VARNOLE_PROGRAM_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/program)

function(varnole_program_resources target description)
  if(NOT WIN32)
    return()
  endif()
  set(VARNOLE_PROGRAM_NAME ${target})
  set(VARNOLE_PROGRAM_DESCRIPTION "${description}")
  set(VARNOLE_PROGRAM_VERSION_COMMAS
      "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(VARNOLE_PROGRAM_VERSION_QUAD
      "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/program_resources/${target})
  set(VARNOLE_PROGRAM_MANIFEST ${generated}/${target}.exe.manifest)
  configure_file(${VARNOLE_PROGRAM_TEMPLATES}/program.manifest.in ${VARNOLE_PROGRAM_MANIFEST} @ONLY)
  configure_file(${VARNOLE_PROGRAM_TEMPLATES}/program.rc.in ${generated}/${target}_program.rc @ONLY)
  target_sources(${target} PRIVATE ${generated}/${target}_program.rc)
  # windres does not see the manifest as a dependency of the .rc: name it, so that a changed
  # manifest rebuilds the resource.
  set_property(SOURCE ${generated}/${target}_program.rc APPEND PROPERTY OBJECT_DEPENDS
               ${VARNOLE_PROGRAM_MANIFEST})
endfunction()
