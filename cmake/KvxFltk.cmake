# FLTK, linked from its static archives. The shared library runs, before main,
# a static initialiser of its printing code that reads the user's
# ~/.fltk/fltk.org/printers.prefs with FLTK's own preferences reader, which
# crashes on a damaged file and waits forever on a FIFO. From the archives the
# linker takes only the objects the program uses; nothing here prints, so that
# initialiser is not part of any program or test.
find_library(KVX_FLTK_ARCHIVE libfltk.a REQUIRED)
find_library(KVX_FLTK_GL_ARCHIVE libfltk_gl.a REQUIRED)
find_package(X11 REQUIRED)
find_package(Fontconfig REQUIRED)
find_package(Threads REQUIRED)
find_package(OpenGL REQUIRED COMPONENTS OpenGL)

# What FLTK's archives need from the system (fltk-config --ldstaticflags).
add_library(kvx_fltk INTERFACE)
target_link_libraries(kvx_fltk INTERFACE ${KVX_FLTK_ARCHIVE}
    X11::Xrender X11::Xcursor X11::Xfixes X11::Xext X11::Xft X11::Xinerama
    Fontconfig::Fontconfig Threads::Threads X11::X11 ${CMAKE_DL_LIBS} m)

add_library(kvx_fltk_gl INTERFACE)
target_link_libraries(kvx_fltk_gl INTERFACE ${KVX_FLTK_GL_ARCHIVE} kvx_fltk OpenGL::GL OpenGL::GLU)
