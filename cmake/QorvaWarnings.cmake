# Warnings on everywhere; sanitizers for the native build.
add_compile_options(-Wall -Wextra)
if(QORVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
