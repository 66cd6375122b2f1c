# Installs the build into a scratch prefix and uses it as an integrator would:
# a separate CMake project finds the package, compiles every installed header,
# links the grid, the report engine and grid printing and runs; the same program is built
# once more from the pkg-config files; the installed programs and manual pages
# work from another directory, with no font configuration or runtime directory
# set in the environment.
#   cmake -DBUILD_DIR=... -DWORK=... -DCONSUMER_SOURCE=... -DGENERATOR=... -DCXX=... [-DLAUNCHER=...] -P InstallTest.cmake

function(run)
  cmake_parse_arguments(ARG "" "OUT;ERR;DIR" "COMMAND" ${ARGN})
  execute_process(COMMAND ${ARG_COMMAND} WORKING_DIRECTORY ${ARG_DIR}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " shown "${ARG_COMMAND}")
    message(FATAL_ERROR "${shown}\nfailed (${status}):\n${out}\n${err}")
  endif()
  if(ARG_OUT)
    set(${ARG_OUT} "${out}" PARENT_SCOPE)
  endif()
  if(ARG_ERR)
    set(${ARG_ERR} "${err}" PARENT_SCOPE)
  endif()
endfunction()

function(expect_contains what text needle)
  string(FIND "${text}" "${needle}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what} lacks \"${needle}\":\n${text}")
  endif()
endfunction()

function(expect_quiet what err)
  if(NOT err STREQUAL "")
    message(FATAL_ERROR "${what} wrote to standard error:\n${err}")
  endif()
endfunction()

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/elsewhere)
run(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} DIR ${WORK} OUT ignored)

# Every installed header, compiled in the consumer: a public header that
# includes one that was not installed fails here.
file(GLOB_RECURSE headers RELATIVE ${prefix}/include/stockin ${prefix}/include/stockin/*.h)
list(LENGTH headers count)
if(count LESS 20)
  message(FATAL_ERROR "only ${count} headers installed: ${headers}")
endif()
set(all "// Every installed header.\n")
foreach(header IN LISTS headers)
  string(APPEND all "#include \"${header}\"\n")
endforeach()
file(WRITE ${WORK}/AllHeaders.cpp "${all}")

run(COMMAND ${CMAKE_COMMAND} -S ${CONSUMER_SOURCE} -B ${WORK}/build -G ${GENERATOR} -DCMAKE_BUILD_TYPE=Debug
            -DCMAKE_CXX_COMPILER=${CXX} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_PREFIX_PATH=${prefix}
            -DEXTRA_SOURCES=${WORK}/AllHeaders.cpp
    DIR ${WORK} OUT ignored)
run(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build DIR ${WORK} OUT ignored)

# The environment of a plain shell: no font configuration, no runtime directory.
set(plain ${CMAKE_COMMAND} -E env --unset=FONTCONFIG_FILE --unset=XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen
          ASAN_OPTIONS=detect_leaks=0)
set(expected "pages: 1\ntemplates: ${prefix}/share/stockin/templates\ncolumns: 1\ngrid pages: 1\n")
run(COMMAND ${plain} ${WORK}/build/consumer DIR ${WORK}/elsewhere OUT out ERR err)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "the consumer printed\n${out}instead of\n${expected}")
endif()
expect_quiet("the consumer" "${err}")

# The same program from the pkg-config files.
file(GLOB_RECURSE pcfile ${prefix}/stockin-report.pc)
get_filename_component(pcdir "${pcfile}" DIRECTORY)
get_filename_component(libdir "${pcdir}" DIRECTORY)
run(COMMAND ${CMAKE_COMMAND} -E env PKG_CONFIG_PATH=${pcdir} pkg-config --cflags --libs stockin-grid stockin-report stockin-gridprint
    DIR ${WORK} OUT flags)
string(STRIP "${flags}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(COMMAND ${CXX} ${CONSUMER_SOURCE}/main.cpp ${flags} -Wl,-rpath,${libdir} -o ${WORK}/consumer-pc
    DIR ${WORK} OUT ignored)
run(COMMAND ${plain} ${WORK}/consumer-pc DIR ${WORK}/elsewhere OUT out)
if(NOT out STREQUAL expected)
  message(FATAL_ERROR "the consumer built with pkg-config printed\n${out}")
endif()

# The installed programs.
file(STRINGS ${BUILD_DIR}/CMakeCache.txt version REGEX "^CMAKE_PROJECT_VERSION:")
string(REGEX REPLACE ".*=" "" version "${version}")
run(COMMAND ${plain} ${prefix}/bin/rqtool --version DIR ${WORK}/elsewhere OUT out ERR err)
expect_contains("rqtool --version" "${out}" "rqtool ${version}")
run(COMMAND ${plain} ${prefix}/bin/rqtool template dump ${prefix}/share/stockin/templates/qdb_xstgjfp.rqf
    DIR ${WORK}/elsewhere OUT out ERR err)
expect_contains("rqtool template dump" "${out}" "\"pages\"")
expect_quiet("rqtool template dump" "${err}")
run(COMMAND ${plain} ${prefix}/bin/stockin-host --help DIR ${WORK}/elsewhere OUT out ERR err)
expect_contains("stockin-host --help" "${out}" "--templates")
expect_quiet("stockin-host --help" "${err}")

# The manual pages carry the help of every command.
run(COMMAND gzip -dc ${prefix}/share/man/man1/rqtool.1.gz DIR ${WORK} OUT page)
foreach(needle ".SH COMMANDS" ".SS \"rqtool eval\"" ".SS \"rqtool rqp png\"" "\\-\\-decimal\\-separator" "\\-\\-page")
  expect_contains("rqtool.1" "${page}" "${needle}")
endforeach()
run(COMMAND gzip -dc ${prefix}/share/man/man1/stockin-host.1.gz DIR ${WORK} OUT page)
expect_contains("stockin-host.1" "${page}" "\\-\\-auditor\\-name")
