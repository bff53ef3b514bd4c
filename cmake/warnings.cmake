# Every configuration builds warning-free; Windows builds treat a warning as an error.
add_compile_options(-Wall -Wextra)
if(WIN32)
    add_compile_options(-Werror)
    # No link time in the PE header: two builds of one commit give the same bytes.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
