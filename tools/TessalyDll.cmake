# Tessaly.dll: the COM classes of the tools library over its portable core.
target_sources(TessalyCore PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/WindowsZoom.cpp)

if(NOT JP_WIN)
  return()
endif()

add_library(Tessaly SHARED
  TessalyDll_win.cpp
  VbGetWindowsZoom_win.cpp
  Tessaly.def)
set_target_properties(Tessaly PROPERTIES PREFIX "" OUTPUT_NAME Tessaly)
target_link_libraries(Tessaly PRIVATE TessalyCore ComKit)

jp_add_test(tessaly_tests SOURCES tests/TessalyDllTest_win.cpp LIBS ComKit TessalyRecords)
add_dependencies(tessaly_tests Tessaly)
