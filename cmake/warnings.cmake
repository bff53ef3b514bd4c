# Every configuration builds warning-free; Windows builds treat a warning as an error.
add_compile_options(-Wall -Wextra)
if(WIN32)
    add_compile_options(-Werror)
endif()
