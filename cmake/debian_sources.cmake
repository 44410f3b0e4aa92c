# Libraries for a cross-build (Windows, the browser) from Debian's own source packages
# of the versions this machine's Linux build links, fetched with apt-get source (which
# checks them against the archive's signatures) through a source list of their own, so
# the machine's apt sources stay as they are. Sources, builds and the static libraries
# stay in the build folder (deps/) and are fetched and built only once.
# Before including this file, set TRELVANE_DEPS_FOR to the platform's name for the
# build's messages ("Windows", "Browser").
set(TRELVANE_DEPS_DIR ${CMAKE_BINARY_DIR}/deps)
set(TRELVANE_DEPS_PREFIX ${TRELVANE_DEPS_DIR}/prefix)
set(TRELVANE_DEPS_SUITE bookworm CACHE STRING "The Debian suite whose sources the cross-built libraries come from")

# The version of the Debian source package a -dev package of this machine was built from.
function(trelvane_source_version dev_package out)
  execute_process(COMMAND dpkg-query -W -f=\${source:Version} ${dev_package}
    OUTPUT_VARIABLE version RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR version STREQUAL "")
    message(FATAL_ERROR "The ${TRELVANE_DEPS_FOR} build takes its sources from the package of ${dev_package}, which is not installed.")
  endif()
  set(${out} ${version} PARENT_SCOPE)
endfunction()

function(trelvane_run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed
    OUTPUT_FILE ${TRELVANE_DEPS_DIR}/${what}.log ERROR_FILE ${TRELVANE_DEPS_DIR}/${what}.log)
  if(failed)
    file(READ ${TRELVANE_DEPS_DIR}/${what}.log log)
    message(FATAL_ERROR "${what} failed:\n${log}")
  endif()
endfunction()

# apt-get with this build's own source list, lists and cache.
set(apt_dir ${TRELVANE_DEPS_DIR}/apt)
set(apt_options
  -o Dir::Etc::SourceList=${apt_dir}/sources.list -o Dir::Etc::SourceParts=${apt_dir}/sources.list.d
  -o Dir::State::Lists=${apt_dir}/lists -o Dir::Cache=${apt_dir}/cache -o APT::Sandbox::User=root)

# fetch(<source package> <version> <out: unpacked folder>)
function(trelvane_fetch_source package version out)
  string(REGEX REPLACE "^[0-9]+:" "" plain ${version})
  string(REGEX REPLACE "-[^-]+$" "" upstream ${plain})
  set(folder ${TRELVANE_DEPS_DIR}/src/${package}-${upstream})
  if(NOT EXISTS ${folder}/CMakeLists.txt)
    if(NOT EXISTS ${apt_dir}/updated)
      file(MAKE_DIRECTORY ${apt_dir}/sources.list.d ${apt_dir}/lists/partial
        ${apt_dir}/cache/archives/partial)
      file(WRITE ${apt_dir}/sources.list
        "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian ${TRELVANE_DEPS_SUITE} main\n")
      message(STATUS "${TRELVANE_DEPS_FOR} libraries: reading Debian's ${TRELVANE_DEPS_SUITE} source index")
      trelvane_run(apt-update apt-get ${apt_options} update)
      file(TOUCH ${apt_dir}/updated)
    endif()
    message(STATUS "${TRELVANE_DEPS_FOR} libraries: fetching the source of ${package} ${version}")
    file(MAKE_DIRECTORY ${TRELVANE_DEPS_DIR}/src)
    execute_process(COMMAND apt-get ${apt_options} source ${package}=${version}
      WORKING_DIRECTORY ${TRELVANE_DEPS_DIR}/src RESULT_VARIABLE failed
      OUTPUT_FILE ${TRELVANE_DEPS_DIR}/source-${package}.log
      ERROR_FILE ${TRELVANE_DEPS_DIR}/source-${package}.log)
    if(failed OR NOT EXISTS ${folder}/CMakeLists.txt)
      file(READ ${TRELVANE_DEPS_DIR}/source-${package}.log log)
      message(FATAL_ERROR "apt-get source ${package}=${version} failed:\n${log}")
    endif()
  endif()
  set(${out} ${folder} PARENT_SCOPE)
endfunction()

# build(<name> <source folder> <cmake options...>): a static release build with this
# build's toolchain, installed into deps/prefix.
function(trelvane_build_dependency name source)
  set(binary ${TRELVANE_DEPS_DIR}/build-${name})
  message(STATUS "${TRELVANE_DEPS_FOR} libraries: building ${name}")
  trelvane_run(configure-${name} ${CMAKE_COMMAND} -S ${source} -B ${binary} -G ${CMAKE_GENERATOR}
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=${TRELVANE_DEPS_PREFIX} ${ARGN})
  trelvane_run(build-${name} ${CMAKE_COMMAND} --build ${binary} -j2)
  trelvane_run(install-${name} ${CMAKE_COMMAND} --install ${binary})
endfunction()

# The JPEG library of this machine's version, built once with the 6b interface (library
# version 62) and the given options, as the imported target JPEG::JPEG.
function(trelvane_jpeg_library)
  trelvane_source_version(libjpeg62-turbo-dev jpeg_version)
  set(jpeg_stamp ${TRELVANE_DEPS_PREFIX}/libjpeg-turbo-${jpeg_version}.built)
  if(NOT EXISTS ${jpeg_stamp})
    trelvane_fetch_source(libjpeg-turbo ${jpeg_version} jpeg_source)
    trelvane_build_dependency(libjpeg-turbo ${jpeg_source} -DENABLE_SHARED=OFF -DENABLE_STATIC=ON
      -DWITH_JPEG8=OFF -DWITH_TURBOJPEG=OFF ${ARGN})
    file(TOUCH ${jpeg_stamp})
  endif()
  add_library(JPEG::JPEG STATIC IMPORTED)
  set_target_properties(JPEG::JPEG PROPERTIES
    IMPORTED_LOCATION ${TRELVANE_DEPS_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${TRELVANE_DEPS_PREFIX}/include)
endfunction()
