# Precompiled headers, one per kind of target, each made once by a small target of its own and
# reused by every target of that kind (kd_use_pch). Parsing the Qt and GoogleTest headers is
# most of the time a translation unit of this project takes to compile.
#   core     Qt Core and the standard library: engine/, questions/, common/, platform/core ...
#   gui      core + Qt Gui: the asset generators
#   widgets  gui + Qt Widgets: screens
#   test     widgets + Qt Test + GoogleTest: test programs (made by tests/CMakeLists.txt)
# KD_PCH_OPTIONS_<kind> holds options every target of a kind adds to the build's flags; its
# header is made with them too, as a precompiled header must match its users.
# Static libraries and executables compile with different position-independence flags, which a
# precompiled header must match, so executables of a kind get their own (kind-exe).

set(KD_PCH_HEADERS_core
    <algorithm> <array> <cmath> <cstdint> <functional> <memory> <optional> <string> <vector>
    <QtCore/QByteArray> <QtCore/QDateTime> <QtCore/QDir> <QtCore/QFile> <QtCore/QFileInfo>
    <QtCore/QHash> <QtCore/QList> <QtCore/QObject> <QtCore/QString> <QtCore/QStringList>
    <QtCore/QtGlobal> <QtCore/QTimer>)
set(KD_PCH_HEADERS_gui ${KD_PCH_HEADERS_core}
    <QtGui/QColor> <QtGui/QFont> <QtGui/QImage> <QtGui/QPainter> <QtGui/QPainterPath> <QtGui/QPixmap>)
set(KD_PCH_HEADERS_widgets ${KD_PCH_HEADERS_gui}
    <QtGui/QKeyEvent> <QtWidgets/QApplication> <QtWidgets/QFrame> <QtWidgets/QLabel>
    <QtWidgets/QLineEdit> <QtWidgets/QPushButton> <QtWidgets/QRadioButton> <QtWidgets/QWidget>)
set(KD_PCH_HEADERS_test ${KD_PCH_HEADERS_widgets}
    <QtCore/QTemporaryDir> <QtTest/QTest> <gtest/gtest.h>)
set(KD_PCH_LIBS_core Qt6::Core)
set(KD_PCH_LIBS_gui Qt6::Gui)
set(KD_PCH_LIBS_widgets Qt6::Widgets)

set(_kd_pch_dir ${CMAKE_BINARY_DIR}/pch)
file(MAKE_DIRECTORY ${_kd_pch_dir})
file(WRITE ${_kd_pch_dir}/lib.cpp "// Compiles the precompiled header of a kind of library.\n")
file(WRITE ${_kd_pch_dir}/exe.cpp "// Compiles the precompiled header of a kind of program.\nint main() { return 0; }\n")

# Makes the owner of a kind's precompiled header on first use.
function(kd_pch_owner kind)
  string(REGEX REPLACE "-exe$" "" _base ${kind})
  set(_owner kd_pch_${kind})
  if(TARGET ${_owner})
    return()
  endif()
  if(kind MATCHES "-exe$")
    add_executable(${_owner} EXCLUDE_FROM_ALL ${_kd_pch_dir}/exe.cpp)
  else()
    add_library(${_owner} STATIC EXCLUDE_FROM_ALL ${_kd_pch_dir}/lib.cpp)
  endif()
  target_link_libraries(${_owner} PRIVATE ${KD_PCH_LIBS_${_base}})
  target_precompile_headers(${_owner} PRIVATE ${KD_PCH_HEADERS_${_base}})
  target_compile_options(${_owner} PRIVATE ${KD_PCH_OPTIONS_${_base}})
  set_target_properties(${_owner} PROPERTIES AUTOMOC OFF)
endfunction()

# kd_use_pch(target core|gui|widgets|test)
function(kd_use_pch target kind)
  if(NOT KD_PCH)
    return()
  endif()
  get_target_property(_type ${target} TYPE)
  if(_type STREQUAL "EXECUTABLE")
    set(kind ${kind}-exe)
  endif()
  kd_pch_owner(${kind})
  target_precompile_headers(${target} REUSE_FROM kd_pch_${kind})
  string(REGEX REPLACE "-exe$" "" _base ${kind})
  target_compile_options(${target} PRIVATE ${KD_PCH_OPTIONS_${_base}})
endfunction()
