# vessa_sanitizers: AddressSanitizer and UndefinedBehaviorSanitizer where VESSA_SANITIZE is on
# (the native build). Like vessa_warnings, every target of ours links it by name, so what a
# target is built with shows in its own target_link_libraries; elsewhere it is empty.
add_library(vessa_sanitizers INTERFACE)
if(VESSA_SANITIZE)
    set(_vessa_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(vessa_sanitizers INTERFACE ${_vessa_san})
    target_link_options(vessa_sanitizers INTERFACE ${_vessa_san})
endif()
