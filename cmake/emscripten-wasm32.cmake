# Compiles for the browser with Debian's Emscripten (package emscripten),
# whose own toolchain file does the work; this one adds what every Vemora
# target needs there.
set(VEMORA_EMSCRIPTEN_ROOT /usr/share/emscripten CACHE PATH "Emscripten's folder (Debian: emscripten)")
include(${VEMORA_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)

# Run-time errors are C++ exceptions, which Emscripten would otherwise let
# pass uncaught: the browser's own exception handling catches them.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
# One file holds the code and the module, so that a page opened from disk
# loads without fetching anything (and Node.js without its fetch, which
# cannot read a plain path); the heap grows as files and frames need it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1")

# The linker runs Emscripten's JavaScript optimiser, which Debian's package
# lets find its parser (acorn) only through NODE_PATH.
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
