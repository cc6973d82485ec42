# The build's side of the layer test (tests/layers): every target the project defines, the
# folder whose CMakeLists.txt defines it and the libraries it links directly, written once
# every folder has been added, so that a library linking one its layer may not use fails the
# test as a forbidden include does.

# The targets defined in `dir` and the folders below it.
function(levelcolors_targets_under dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        levelcolors_targets_under(${sub} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Writes `file`: a target a line, "NAME<tab>FOLDER<tab>LINKS", FOLDER from the root ("." for
# the root's own) and LINKS as CMake holds them, generator expressions unevaluated. Rewritten
# only when it changes.
function(levelcolors_write_link_table file)
    levelcolors_targets_under(${PROJECT_SOURCE_DIR} targets)
    set(text "")
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY")
            continue()
        endif()
        get_target_property(dir ${target} SOURCE_DIR)
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${dir})
        if(folder STREQUAL "")
            set(folder ".")
        endif()
        set(links "")
        foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
            if(type STREQUAL "INTERFACE_LIBRARY" AND property STREQUAL "LINK_LIBRARIES")
                continue()
            endif()
            get_target_property(items ${target} ${property})
            if(items)
                list(APPEND links ${items})
            endif()
        endforeach()
        list(REMOVE_DUPLICATES links)
        string(APPEND text "${target}\t${folder}\t${links}\n")
    endforeach()
    file(WRITE ${file}.new "${text}")
    configure_file(${file}.new ${file} COPYONLY)
endfunction()
