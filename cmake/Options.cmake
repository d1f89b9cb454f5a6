# Every build switch of the project, in one place.

option(VINTREL_BUILD_TESTS "Build the unit and end-to-end tests" ${PROJECT_IS_TOP_LEVEL})
option(VINTREL_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)
option(VINTREL_STATIC "Link the vintrel executable statically where the toolchain allows it" ON)
# Start-up measurements against a do-nothing floor and the real-number reader's benchmark
# (needs Google Benchmark); run by bench/run.sh, never by the tests.
option(VINTREL_BUILD_BENCH "Build the benchmarks" OFF)
# Replay programs for the fuzz targets with any compiler; libFuzzer programs where the
# compiler offers -fsanitize=fuzzer (clang).
option(VINTREL_BUILD_FUZZERS "Build the fuzz targets and their replay programs" OFF)

# The error line sends the reader to this address. It is part of the program's output, so
# it is fixed at configure time and lives in exactly one place.
set(VINTREL_DOCS_URL "https://vintrel.example.org/docs"
    CACHE STRING "Web address of the documentation named in the error line")
if(VINTREL_DOCS_URL MATCHES "[\"\\\\\n]")
  message(FATAL_ERROR "VINTREL_DOCS_URL must not contain quotes, backslashes or line breaks")
endif()

# The decimal-to-double corpus, read where it lies and never copied: the real-number tests
# skip it when the folder is absent, and the benchmark then generates its own texts.
set(VINTREL_CORPUS_DIR "${PROJECT_SOURCE_DIR}/../shared/testdata/parse-number-fxx"
    CACHE PATH "Folder of the parse-number-fxx corpus of decimal texts and their doubles")

set(CMAKE_CXX_EXTENSIONS OFF)
