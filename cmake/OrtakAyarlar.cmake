# One interface target carrying the language level, warnings and Qt's strictness macros.
add_library(zelvora_ortak INTERFACE)
target_compile_features(zelvora_ortak INTERFACE cxx_std_20)
target_compile_options(zelvora_ortak INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
target_compile_definitions(zelvora_ortak INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
