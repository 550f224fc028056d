# Installs the built project into a scratch prefix and uses it as a host
# developer would, without LD_LIBRARY_PATH:
#  - starts the installed demo, which quits by itself (--quit-after), when
#    the build has the demo;
#  - compiles every installed header alone against the install;
#  - builds the README's host sample (its CMakeLists.txt and main.cpp blocks,
#    taken from README.md so that they cannot drift) with find_package and
#    runs its walkthrough sale.
foreach(var BUILD_DIR WORK_DIR README CXX_COMPILER BINDIR INCLUDEDIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} not set")
    endif()
endforeach()
if(NOT DEFINED QT_MAJOR_VERSION)
    set(QT_MAJOR_VERSION 5)
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")
set(run ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen)

function(check_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed (${rc}):\n${out}")
    endif()
    message(STATUS "${what}: ok")
    set(step_output "${out}" PARENT_SCOPE)
endfunction()

check_step("install" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")

# The installed demo runs from the prefix as it is.
set(demo "${prefix}/${BINDIR}/kxpos-demo")
if(EXISTS "${demo}")
    check_step("installed demo" ${run} "${demo}" --size 800x600 --config "${WORK_DIR}/demo-config"
               --quit-after 1500)
    if(NOT step_output MATCHES "sales screen shown")
        message(FATAL_ERROR "the installed demo did not show its sales screen:\n${step_output}")
    endif()
endif()

# Host project sources: the header check and the README's sample.
file(READ "${README}" readme)
function(readme_block marker language out)
    string(FIND "${readme}" "<!-- host-sample: ${marker} -->" at)
    if(at LESS 0)
        message(FATAL_ERROR "README.md has no host-sample block ${marker}")
    endif()
    string(SUBSTRING "${readme}" ${at} -1 rest)
    string(FIND "${rest}" "```${language}\n" open)
    string(LENGTH "```${language}\n" fence)
    math(EXPR open "${open} + ${fence}")
    string(SUBSTRING "${rest}" ${open} -1 rest)
    string(FIND "${rest}" "\n```" close)
    string(SUBSTRING "${rest}" 0 ${close} block)
    file(WRITE "${out}" "${block}\n")
endfunction()
set(host "${WORK_DIR}/host")
readme_block(CMakeLists.txt cmake "${host}/CMakeLists.txt")
readme_block(main.cpp cpp "${host}/main.cpp")

# One translation unit per installed header, compiled with the sample's
# target settings.
file(GLOB_RECURSE headers RELATIVE "${prefix}/${INCLUDEDIR}/KxPos"
     "${prefix}/${INCLUDEDIR}/KxPos/*.h")
if(NOT headers)
    message(FATAL_ERROR "no headers installed")
endif()
set(units "")
foreach(header ${headers})
    string(MAKE_C_IDENTIFIER "${header}" id)
    file(WRITE "${host}/headers/${id}.cpp" "#include \"${header}\"\n")
    string(APPEND units " headers/${id}.cpp")
endforeach()
file(APPEND "${host}/CMakeLists.txt"
     "add_library(installed_headers OBJECT${units})\n"
     "target_link_libraries(installed_headers PRIVATE KxPos::TradeUI)\n")

check_step("configuring the host sample" ${CMAKE_COMMAND} -S "${host}" -B "${host}/build"
           "-DCMAKE_PREFIX_PATH=${prefix}" -DCMAKE_BUILD_TYPE=Release "-DQT_MAJOR_VERSION=${QT_MAJOR_VERSION}"
           "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}" "-DCMAKE_EXE_LINKER_FLAGS=${HOST_LINK_FLAGS}")
check_step("building the host sample and every installed header alone" ${CMAKE_COMMAND} --build "${host}/build")
check_step("the host sample's walkthrough" ${run} "${host}/build/myhost" --walkthrough)
message(STATUS "${step_output}")
