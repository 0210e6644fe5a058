cmake_minimum_required(VERSION 3.21)

# Checks which folder may include what: each layer includes only those below
# it. Run as
#   cmake -DSOURCE_DIR=<repo> -DQT_GUI_DIR=<.../QtGui> -DQT_WIDGETS_DIR=<.../QtWidgets> -P check_layers.cmake
# A Qt header counts as Gui or Widgets when the module's include folder holds it.

# folder | folders of the project it must not include | "gui" when it must not
# include a Qt Gui or Widgets header
set(rules
    "core|filters ui store net export panel help history app|gui"
    "filters|ui store net export panel help history app|gui"
    "store|ui net export panel help history app|gui"
    "net|ui export panel help history app|gui"
    "export|ui panel help history app|gui"
    "ui|panel help history app|"
    "panel|history app|"
    "help|history app|"
    "history|app|"
)

# NOT YET CHECKED: these folders are still being reworked; empty this list
# once that work is in.
set(not_yet_checked)

foreach(var SOURCE_DIR QT_GUI_DIR QT_WIDGETS_DIR)
    if(NOT IS_DIRECTORY "${${var}}")
        message(FATAL_ERROR "${var} is not a folder: '${${var}}'")
    endif()
endforeach()

function(is_gui_header header result)
    string(REGEX REPLACE "/.*" "" module "${header}")
    set(gui FALSE)
    if(module STREQUAL "QtGui" OR module STREQUAL "QtWidgets")
        set(gui TRUE)
    else()
        foreach(dir "${QT_GUI_DIR}" "${QT_WIDGETS_DIR}")
            if(EXISTS "${dir}/${header}" AND NOT IS_DIRECTORY "${dir}/${header}")
                set(gui TRUE)
            endif()
        endforeach()
    endif()
    set(${result} ${gui} PARENT_SCOPE)
endfunction()

set(violations "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" fields "${rule}")
    list(GET fields 0 folder)
    list(GET fields 1 forbidden)
    list(GET fields 2 noGui)
    separate_arguments(forbidden)
    if(folder IN_LIST not_yet_checked)
        continue()
    endif()
    file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${SOURCE_DIR}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
            string(REGEX REPLACE "/.*" "" top "${header}")
            if(header MATCHES "/" AND top IN_LIST forbidden)
                list(APPEND violations "${source}: ${header} (from ${top}/)")
            elseif(noGui STREQUAL "gui")
                is_gui_header("${header}" gui)
                if(gui)
                    list(APPEND violations "${source}: ${header} (Qt Gui or Widgets)")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " report)
    message(FATAL_ERROR "Includes that reach up a layer:\n  ${report}")
endif()
