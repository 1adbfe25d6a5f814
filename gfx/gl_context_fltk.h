#pragma once

// FLTK's GL window class, for code that also uses our GLContext class.
//
// FLTK 1.3's <FL/Fl_Gl_Window.H> declares a global `typedef void* GLContext`, which collides
// with the class of that name. While the header is read, that typedef is given another name of
// the same type, so FLTK's class keeps its layout. Include this header instead of
// <FL/Fl_Gl_Window.H> wherever GLContext is visible too.
#ifdef Fl_Gl_Window_H
#error "<FL/Fl_Gl_Window.H> was included before gfx/gl_context_fltk.h; include only the latter"
#endif

typedef void* FltkGlContextHandle;
#define GLContext FltkGlContextHandle
#include <FL/Fl_Gl_Window.H>
#undef GLContext
