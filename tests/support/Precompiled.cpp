// The translation unit that builds the tests' precompiled headers (see tests/CMakeLists.txt).
