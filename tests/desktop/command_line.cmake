# `blokko --version`, `--help` and an unknown option, run with no display at all: a program that
# started the window system here would abort, and one that opened a window would run into the timeout.
function(run_blokko)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ${BLOKKO} ${ARGN}
        OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status TIMEOUT 20)
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
    set(status "${status}" PARENT_SCOPE)
endfunction()

# Fails with `what` unless the condition, written as for if(), holds.
function(expect condition what)
    cmake_language(EVAL CODE "if(${condition})\nset(holds TRUE)\nelse()\nset(holds FALSE)\nendif()")
    if(NOT holds)
        message(FATAL_ERROR "${what}\nstatus: ${status}\nstdout: ${out}\nstderr: ${err}")
    endif()
endfunction()

foreach(option --version -v)
    run_blokko(${option})
    expect("status STREQUAL 0" "${option}: exit status 0")
    expect("out STREQUAL \"Blokko ${VERSION}\n\"" "${option}: prints the version")
    expect("err STREQUAL \"\"" "${option}: nothing on the error output")
endforeach()

foreach(option --help -h)
    run_blokko(${option})
    expect("status STREQUAL 0" "${option}: exit status 0")
    expect("out MATCHES \"^Usage: blokko \\\\[options\\\\]\n\"" "${option}: the usage comes first")
    expect("out MATCHES \"--version\" AND out MATCHES \"--help\"" "${option}: lists both options")
    expect("NOT out MATCHES \"platform\"" "${option}: the toolkit's options stay out of the usage")
endforeach()

foreach(arguments "--bogus" "-x" "--version=3" "extra")
    separate_arguments(list UNIX_COMMAND "${arguments}")
    run_blokko(${list})
    expect("NOT status STREQUAL 0 AND status MATCHES \"^[0-9]+$\"" "${arguments}: a plain non-zero exit status")
    expect("err MATCHES \"^blokko: \" AND err MATCHES \"--help\"" "${arguments}: says what is wrong and where to look")
    expect("out STREQUAL \"\"" "${arguments}: nothing on the standard output")
endforeach()
