# One warning list, linked PRIVATE into every target of the project.
add_library(vintrel_warnings INTERFACE)
add_library(vintrel::warnings ALIAS vintrel_warnings)

if(MSVC)
  target_compile_options(vintrel_warnings INTERFACE /W4 $<$<BOOL:${VINTREL_WARNINGS_AS_ERRORS}>:/WX>)
else()
  target_compile_options(
    vintrel_warnings
    INTERFACE -Wall
              -Wextra
              -Wpedantic
              -Wconversion
              -Wsign-conversion
              -Wshadow
              $<$<BOOL:${VINTREL_WARNINGS_AS_ERRORS}>:-Werror>)
endif()
