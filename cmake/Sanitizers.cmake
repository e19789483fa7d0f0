# vessa_sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer for the native build.
add_library(vessa_sanitizers INTERFACE)
if(VESSA_SANITIZE)
    set(_vessa_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(vessa_sanitizers INTERFACE ${_vessa_san})
    target_link_options(vessa_sanitizers INTERFACE ${_vessa_san})
endif()
link_libraries(vessa_sanitizers)
