# Makes the Debian package from the build tree with cpack and checks what it
# holds (dpkg-deb -c) and what it depends on (dpkg-deb -f).
#   cmake -DBUILD_DIR=... -DWORK=... -P PackageTest.cmake

file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK}
  WORKING_DIRECTORY ${BUILD_DIR} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
file(GLOB packages ${WORK}/*.deb)
list(LENGTH packages count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack failed (${status}):\n${out}\n${err}")
endif()

execute_process(COMMAND dpkg-deb -c ${packages} OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -c ${packages} failed")
endif()
# Only the paths (the last field of each line, without a link's target).
string(REGEX REPLACE "[^\n]* \\./" "/" files "${listing}")
string(REGEX REPLACE " -> [^\n]*" "" files "${files}")

set(lib "/usr/lib(/[a-z0-9_-]+)?")
foreach(wanted
    "/usr/bin/rqtool" "/usr/bin/stockin-host"
    "${lib}/stockin/libstockin_audit\\.so"
    "${lib}/libstockin_runtime\\.so\\.[0-9.]+" "${lib}/libstockin_grid\\.so\\.[0-9.]+"
    "${lib}/libstockin_report\\.so\\.[0-9.]+" "${lib}/libstockin_report\\.so"
    "${lib}/libstockin_gridprint\\.so\\.[0-9.]+" "/usr/include/stockin/gridprint/GridPrint\\.h"
    "/usr/include/stockin/report/model/Report\\.h" "/usr/include/stockin/grid/treelist/TreeListControl\\.h"
    "/usr/include/stockin/runtime/db/Query\\.h"
    "${lib}/cmake/Stockin/StockinConfig\\.cmake" "${lib}/cmake/Stockin/StockinTargets\\.cmake"
    "${lib}/pkgconfig/stockin-grid\\.pc" "${lib}/pkgconfig/stockin-report\\.pc" "${lib}/pkgconfig/stockin-gridprint\\.pc"
    "/usr/share/stockin/fonts\\.conf" "/usr/share/stockin/templates/qdb_xstgjfp\\.rqf"
    "/usr/share/man/man1/rqtool\\.1\\.gz" "/usr/share/man/man1/stockin-host\\.1\\.gz")
  if(NOT files MATCHES "(^|\n)${wanted}(\n|$)")
    message(FATAL_ERROR "the package lacks ${wanted}:\n${files}")
  endif()
endforeach()
# Internal headers, tests, benchmarks and fuzz targets stay out.
foreach(unwanted "report/stream/StreamReader\\.h" "runtime/db/SqlText\\.h" "grid/treelist/NodePool\\.h"
                 "gridprint/GridRows\\.h" "_tests" "fuzz" "bench")
  if(files MATCHES "${unwanted}")
    message(FATAL_ERROR "the package holds ${unwanted}:\n${files}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb -f ${packages} Depends OUTPUT_VARIABLE depends)
foreach(wanted "libqt6core6" "libqt6widgets6" "libqt6sql6-sqlite" "libqt6sql6-psql" "fonts-wqy-zenhei")
  string(FIND "${depends}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the package does not depend on ${wanted}: ${depends}")
  endif()
endforeach()
