# CLI11 and nlohmann_json are header-only, so the host's copies serve a cross
# build too. Their package files would hand the compiler the host's whole
# /usr/include, whose C library headers break a cross compiler; so their
# headers and package files are linked into a tree that holds nothing else.
set(_asrkit_stage ${CMAKE_BINARY_DIR}/host-header-packages)
file(MAKE_DIRECTORY ${_asrkit_stage}/include)
foreach(_asrkit_headers CLI nlohmann)
  file(CREATE_LINK /usr/include/${_asrkit_headers} ${_asrkit_stage}/include/${_asrkit_headers}
       SYMBOLIC)
endforeach()
foreach(_asrkit_package CLI11 nlohmann_json)
  set(_asrkit_dir ${_asrkit_stage}/share/cmake/${_asrkit_package})
  file(MAKE_DIRECTORY ${_asrkit_dir})
  file(GLOB _asrkit_files /usr/share/cmake/${_asrkit_package}/*.cmake)
  foreach(_asrkit_file IN LISTS _asrkit_files)
    get_filename_component(_asrkit_name ${_asrkit_file} NAME)
    file(CREATE_LINK ${_asrkit_file} ${_asrkit_dir}/${_asrkit_name} SYMBOLIC)
  endforeach()
  set(${_asrkit_package}_DIR ${_asrkit_dir} CACHE PATH "" FORCE)
endforeach()
