# The Qt-free libraries for the browser: WebAssembly through Debian's
# clang-22, its wasm32 libc++ and wasi-libc. The web preset uses this file.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_CXX_COMPILER clang++-22)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_EXECUTABLE_SUFFIX_CXX .wasm)
# The target's old name is the one Debian's sysroot is laid out under;
# clang 22 calls it deprecated.
set(CMAKE_CXX_FLAGS_INIT "-Wno-deprecated -fno-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wno-deprecated")
# Nothing of the build machine is found: the only library from outside,
# nlohmann-json, is headers the web build takes directly.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
