# The layers of the program, each its own target with only the include path it may use.
#
# A layer's include path is a staging folder in the build tree, build/layers/<target>/, that
# holds one link per source folder of the layer (build/layers/zhelpers/helpers -> helpers/).
# The staging folder is a usage requirement, so a layer also sees the folders of the layers
# it links and nothing else: "#include "log/LogWriter.h"" in a helper finds no file and the
# build fails. tests/layers/ proves it for the edges that matter.

# Adds a staging folder with links to `folders` to the target's include path.
function(zalvo_stage_folders target scope)
    set(stage ${CMAKE_BINARY_DIR}/layers/${target})
    file(MAKE_DIRECTORY ${stage})
    foreach(folder IN LISTS ARGN)
        if(NOT IS_SYMLINK ${stage}/${folder})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${stage}/${folder} SYMBOLIC)
        endif()
    endforeach()
    target_include_directories(${target} ${scope} ${stage})
endfunction()

# The warnings every target of ours is built with.
function(zalvo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wpedantic)
endfunction()

# zalvo_layer(<target> FOLDERS <folder>... [LINKS <target>...]): a static library layer.
function(zalvo_layer target)
    cmake_parse_arguments(arg "" "" "FOLDERS;LINKS" ${ARGN})
    add_library(${target} STATIC)
    zalvo_stage_folders(${target} PUBLIC ${arg_FOLDERS})
    target_link_libraries(${target} PUBLIC ${arg_LINKS})
    zalvo_warnings(${target})
endfunction()
